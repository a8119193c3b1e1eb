#include "simulator.h"

#include <net/if.h>
#include <poll.h>

#include <algorithm>
#include <array>
#include <span>

#include "pacer.h"

namespace vf::camsim {
namespace {

using Clock = std::chrono::steady_clock;

// Bounds on the work of one turn of the loop, so that a long burst of
// announcements never keeps requests or a stop signal waiting.
constexpr std::size_t kDatagramsPerTurn = 4096;
constexpr std::size_t kBatchSize = 256;
constexpr int kReceivesPerTurn = 256;
constexpr auto kLongestWait = std::chrono::milliseconds(200);
// After the kernel took fewer datagrams than offered (full buffer, ENOBUFS):
// try again this much later rather than spinning.
constexpr auto kBackoff = std::chrono::milliseconds(1);

std::string interface_name(int index) {
  char name[IF_NAMESIZE] = {};
  if (index <= 0 || !if_indextoname(static_cast<unsigned>(index), name)) return "?";
  return name;
}

int to_poll_timeout(Clock::duration wait) {
  if (wait <= Clock::duration::zero()) return 0;
  auto ms =
      std::chrono::ceil<std::chrono::milliseconds>(std::min<Clock::duration>(wait, kLongestWait));
  return static_cast<int>(ms.count());
}

}  // namespace

Simulator::Simulator(const Options &options, Fleet &fleet, GroupListener &listener,
                     GroupSender &sender, EventLog &log)
    : m_options(options),
      m_listener(listener),
      m_sender(sender),
      m_log(log),
      m_service(fleet, CommandPolicy{options.user, options.password, options.forbid_all,
                                     options.forbidden_cameras, options.silent_cameras,
                                     options.forged_cameras, options.camera_passwords}),
      m_outbox(fleet, RepeatPolicy{options.repeat, options.repeat_camera}) {}

void Simulator::receive_waiting() {
  std::array<char, 4096> buffer;
  for (int turn = 0; turn < kReceivesPerTurn; ++turn) {
    std::optional<Received> received = m_listener.receive(buffer);
    if (!received) return;
    if (received->truncated) {
      m_log.write("REJECT datagram larger than " + std::to_string(buffer.size()) + " bytes");
      continue;
    }
    Outcome outcome = m_service.handle(std::string_view(buffer.data(), received->size),
                                       interface_name(received->interface_index));
    if (outcome.log_lines.empty()) continue;  // not a request: another camera's answer
    ++m_requests;
    for (const std::string &line : outcome.log_lines) m_log.write(line);
    if (outcome.answer == Answer::kNone) continue;
    if (received->interface_index <= 0) {
      m_log.write("DROP answer: arrival interface unknown");
      continue;
    }
    auto due = Clock::now() + std::chrono::milliseconds(m_options.delay_ms);
    if (outcome.answer == Answer::kAnnounceAll)
      m_outbox.add_announcements(due, received->interface_index, outcome.cseq,
                                 std::move(outcome.client_id));
    else
      m_outbox.add_reply(due, received->interface_index, std::move(outcome.reply));
  }
}

void Simulator::run(int stop_fd) {
  Pacer pacer(m_options.rate, Clock::now());
  OutgoingBatch pending;
  std::size_t pending_sent = 0;
  Clock::time_point resume_at = Clock::now();

  for (;;) {
    Clock::time_point now = Clock::now();
    bool pending_left = pending_sent < pending.datagrams.size();
    Clock::duration wait = kLongestWait;
    if (pending_left || (m_outbox.next_due() && *m_outbox.next_due() <= now))
      wait = std::max(pacer.time_to_next(now), resume_at - now);
    else if (m_outbox.next_due())
      wait = *m_outbox.next_due() - now;

    std::array<pollfd, 2> fds{{{stop_fd, POLLIN, 0}, {m_listener.fd(), POLLIN, 0}}};
    if (poll(fds.data(), fds.size(), to_poll_timeout(wait)) < 0 && errno != EINTR) {
      m_log.write("poll failed; stopping");
      return;
    }
    if (fds[0].revents != 0) return;
    if (fds[1].revents & POLLIN) receive_waiting();

    now = Clock::now();
    if (now < resume_at) continue;
    std::size_t budget = std::min(pacer.allowance(now), kDatagramsPerTurn);
    while (budget > 0) {
      if (pending_sent == pending.datagrams.size()) {
        pending = m_outbox.take(now, std::min(budget, kBatchSize));
        pending_sent = 0;
        if (pending.datagrams.empty()) break;
      }
      std::size_t offered = std::min(budget, pending.datagrams.size() - pending_sent);
      int taken = m_sender.send(pending.interface_index,
                                std::span(pending.datagrams).subspan(pending_sent, offered));
      if (taken < 0) {
        m_log.write("SEND-ERROR on " + interface_name(pending.interface_index) + ": " +
                    std::to_string(pending.datagrams.size() - pending_sent) + " datagrams dropped");
        pending_sent = pending.datagrams.size();
        continue;
      }
      pacer.spend(static_cast<std::size_t>(taken));
      budget -= static_cast<std::size_t>(taken);
      pending_sent += static_cast<std::size_t>(taken);
      m_sent += static_cast<std::uint64_t>(taken);
      if (static_cast<std::size_t>(taken) < offered) {
        resume_at = now + kBackoff;
        break;
      }
    }
  }
}

}  // namespace vf::camsim
