#include "outbox.h"

namespace vf::camsim {

void Outbox::add_announcements(Clock::time_point due, int interface_index, std::uint32_t cseq,
                               std::string client_id) {
  if (m_fleet.size() == 0) return;
  Job job;
  job.due = due;
  job.interface_index = interface_index;
  job.announcements = true;
  job.cseq = cseq;
  job.text = std::move(client_id);
  m_jobs.push_back(std::move(job));
}

void Outbox::add_reply(Clock::time_point due, int interface_index, std::string reply) {
  Job job;
  job.due = due;
  job.interface_index = interface_index;
  job.text = std::move(reply);
  m_jobs.push_back(std::move(job));
}

std::optional<Outbox::Clock::time_point> Outbox::next_due() const {
  if (m_jobs.empty()) return std::nullopt;
  return m_jobs.front().due;
}

int Outbox::copies_for(const Camera &camera) const {
  if (m_repeat.only_camera != 0 && camera.number != m_repeat.only_camera) return 1;
  return m_repeat.copies < 1 ? 1 : m_repeat.copies;
}

OutgoingBatch Outbox::take(Clock::time_point now, std::size_t limit) {
  OutgoingBatch batch;
  while (batch.datagrams.size() < limit && !m_jobs.empty() && m_jobs.front().due <= now) {
    Job &job = m_jobs.front();
    if (batch.datagrams.empty()) batch.interface_index = job.interface_index;
    if (job.interface_index != batch.interface_index) break;
    if (!job.announcements) {
      batch.datagrams.push_back(std::move(job.text));
      m_jobs.pop_front();
      continue;
    }
    const Camera &camera = m_fleet.at(job.next_camera);
    batch.datagrams.push_back(compose_announcement(camera, job.cseq, job.text));
    if (++job.copies_sent >= copies_for(camera)) {
      job.copies_sent = 0;
      if (++job.next_camera == m_fleet.size()) m_jobs.pop_front();
    }
  }
  return batch;
}

}  // namespace vf::camsim
