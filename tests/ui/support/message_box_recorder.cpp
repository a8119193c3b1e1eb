#include "message_box_recorder.h"

namespace vf::ui {

MessageBoxRecorder::MessageBoxRecorder() {
  SetMessageBoxInterceptor([this](const MessageBoxRequest &request) { return Answer(request); });
}

MessageBoxRecorder::~MessageBoxRecorder() {
  SetMessageBoxInterceptor({});
}

void MessageBoxRecorder::Script(std::initializer_list<int> answers) {
  const std::lock_guard lock(m_mutex);
  m_answers.insert(m_answers.end(), answers.begin(), answers.end());
}

std::vector<MessageBoxRequest> MessageBoxRecorder::Requests() const {
  const std::lock_guard lock(m_mutex);
  return m_requests;
}

int MessageBoxRecorder::Count() const {
  const std::lock_guard lock(m_mutex);
  return static_cast<int>(m_requests.size());
}

int MessageBoxRecorder::Answer(const MessageBoxRequest &request) {
  const std::lock_guard lock(m_mutex);
  m_requests.push_back(request);
  if (!m_answers.empty()) {
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
  }
  // As Enter would answer: the default button.
  if ((request.type & 0x0Fu) != MB_YESNO) return IDOK;
  return (request.type & MB_DEFBUTTON2) != 0 ? IDNO : IDYES;
}

}  // namespace vf::ui
