#include "outbox.h"

namespace vf::camsim {

void Outbox::add_announcements(Clock::time_point due, int interface_index, std::uint32_t cseq,
                               std::string client_id) {
  if (fleet_.size() == 0) return;
  Job job;
  job.due = due;
  job.interface_index = interface_index;
  job.announcements = true;
  job.cseq = cseq;
  job.text = std::move(client_id);
  jobs_.push_back(std::move(job));
}

void Outbox::add_reply(Clock::time_point due, int interface_index, std::string reply) {
  Job job;
  job.due = due;
  job.interface_index = interface_index;
  job.text = std::move(reply);
  jobs_.push_back(std::move(job));
}

std::optional<Outbox::Clock::time_point> Outbox::next_due() const {
  if (jobs_.empty()) return std::nullopt;
  return jobs_.front().due;
}

int Outbox::copies_for(const Camera &camera) const {
  if (repeat_.only_camera != 0 && camera.number != repeat_.only_camera) return 1;
  return repeat_.copies < 1 ? 1 : repeat_.copies;
}

OutgoingBatch Outbox::take(Clock::time_point now, std::size_t limit) {
  OutgoingBatch batch;
  while (batch.datagrams.size() < limit && !jobs_.empty() && jobs_.front().due <= now) {
    Job &job = jobs_.front();
    if (batch.datagrams.empty()) batch.interface_index = job.interface_index;
    if (job.interface_index != batch.interface_index) break;
    if (!job.announcements) {
      batch.datagrams.push_back(std::move(job.text));
      jobs_.pop_front();
      continue;
    }
    const Camera &camera = fleet_.at(job.next_camera);
    batch.datagrams.push_back(compose_announcement(camera, job.cseq, job.text));
    if (++job.copies_sent >= copies_for(camera)) {
      job.copies_sent = 0;
      if (++job.next_camera == fleet_.size()) jobs_.pop_front();
    }
  }
  return batch;
}

}  // namespace vf::camsim
