// For tests: while alive, answers every message box from a script and keeps
// a record of what was asked.
#pragma once

#include <deque>
#include <initializer_list>
#include <mutex>
#include <vector>

#include "ui/window/message_box.h"

namespace vf::ui {

class MessageBoxRecorder final {
 public:
  MessageBoxRecorder();
  ~MessageBoxRecorder();
  MessageBoxRecorder(const MessageBoxRecorder &) = delete;
  MessageBoxRecorder &operator=(const MessageBoxRecorder &) = delete;

  // Answers given in order; once they run out, a box answers with its
  // default button (IDOK; for MB_YESNO, IDYES, or IDNO with MB_DEFBUTTON2).
  void Script(std::initializer_list<int> answers);
  std::vector<MessageBoxRequest> Requests() const;
  int Count() const;

 private:
  int Answer(const MessageBoxRequest &request);

  mutable std::mutex m_mutex;
  std::deque<int> m_answers;
  std::vector<MessageBoxRequest> m_requests;
};

}  // namespace vf::ui
