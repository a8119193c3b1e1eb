// A batch of the "Assign addresses" dialog: one camera after the other through the engine
// session's Update (the settings, then the port command when the port changes), each outcome in
// the row's result column as it comes, a progress bar, and Cancel, which sends no further camera.
#include "core/messages.h"
#include "core/update_checks.h"
#include "res/resource_ids.h"
#include "res/string_table.h"
#include "ui/dialog/assign_dlg.h"
#include "ui/dialog/assign_texts.h"
#include "ui/window/message_box.h"
#include "ui/window/translation.h"
#include "ui/window/window_thread.h"

using namespace vf::res;
using assign_text::Say;
namespace text = assign_text;

void CAssignDlg::OnApply() {
  if (m_applying) return;
  const std::vector<std::size_t> rows = RowsToSend();
  if (rows.empty()) {
    Tell(text::kNothingToSend, vf::ui::MB_ICONINFORMATION);
    return;
  }
  // One account for every camera, checked before anything goes out.
  const std::string user = m_window->Item(IDC_ASSIGN_ACCOUNT).Text();
  const std::string password = m_window->Item(IDC_ASSIGN_PASSWORD).Text();
  if (const auto problem = vf::core::CheckAccount(user, password);
      problem != vf::core::InputProblem::None) {
    Tell(vf::core::ProblemText(problem), vf::ui::MB_ICONINFORMATION);
    return;
  }
  if (!m_setup.session.IsOpen()) {
    Tell(vf::core::text::kNotSent, vf::ui::MB_ICONEXCLAMATION);
    return;
  }
  if (m_setup.session.CommandPending()) {
    Tell(vf::core::text::kCommandBusy, vf::ui::MB_ICONINFORMATION);
    return;
  }
  if (vf::ui::ShowMessageBox(m_window.get(), Say(text::kConfirm, std::to_string(rows.size())),
                             LoadString(IDS_ASK),
                             vf::ui::MB_YESNO | vf::ui::MB_ICONQUESTION) != vf::ui::IDYES) {
    return;
  }

  m_applying = true;
  m_cancelling = false;
  m_batch = rows;
  m_next = 0;
  m_user = user;
  m_password = password;
  m_batchSent = {};
  // A camera sent again shows its new answer, not the last one.
  for (std::size_t index : m_batch) {
    m_rows[index].result.clear();
    ShowRow(index);
  }
  m_progress->SetRange(0, static_cast<int>(m_batch.size()));
  m_progress->SetPos(0);
  m_progress->SetStep(1);
  m_progress->Show(true);
  EnableControls();
  SendNext();
}

void CAssignDlg::SendNext() {
  while (m_next < m_batch.size() && !m_cancelling) {
    const std::size_t index = m_batch[m_next++];
    const Row &row = m_rows[index];
    SetStatus(Say(text::kSending, std::to_string(m_next), std::to_string(m_batch.size())));
    vf::core::LanSession::UpdateEvents events;
    // On an engine thread: only posted here, where the next camera starts. Once the window has
    // closed, the channel drops it.
    events.finished = [this, channel = m_window->Thread().Channel(),
                       index](const vf::core::UpdateResult &result) {
      channel->Post([this, index, result] { OnCameraDone(index, result); });
    };
    const vf::core::Dispatch dispatch =
        m_setup.session.StartUpdate(row.plan.device, m_user, m_password, row.plan.change,
                                    vf::core::kAnswerTimeout, std::move(events));
    if (dispatch == vf::core::Dispatch::Sent) {
      m_sent.any = m_batchSent.any = true;
      return;
    }
    // Nothing went out to this camera: said in its row, and the batch goes on.
    m_rows[index].result = vf::ui::Translated(dispatch == vf::core::Dispatch::Busy
                                                  ? vf::core::text::kCommandBusy
                                                  : vf::core::text::kNotSent);
    ShowRow(index);
    m_progress->StepIt();
  }
  EndBatch();
}

void CAssignDlg::OnCameraDone(std::size_t index, const vf::core::UpdateResult &result) {
  Row &row = m_rows[index];
  row.result = vf::core::Compose(vf::core::UpdateMessage(result, vf::core::kAnswerTimeout),
                                 vf::ui::Translated);
  row.accepted = result.outcome == vf::core::Outcome::Accepted;
  // The port command was taken: the camera restarts on its new port.
  if (row.accepted && result.portStep) {
    row.result += ' ';
    row.result += vf::ui::Translated(vf::core::text::kRestartingForPort);
    m_sent.restarting = m_batchSent.restarting = true;
  }
  ShowRow(index);
  m_progress->StepIt();
  SendNext();
}

void CAssignDlg::OnCancelBatch() {
  if (!m_applying || m_cancelling) return;
  m_cancelling = true;
  SetStatus(vf::ui::Translated(text::kCancelling));
  EnableControls();
}

void CAssignDlg::EndBatch() {
  // What a Cancel kept from being sent says so.
  const std::size_t reached = m_next;
  for (std::size_t k = reached; k < m_batch.size(); ++k) {
    m_rows[m_batch[k]].result = vf::ui::Translated(text::kCancelled);
    ShowRow(m_batch[k]);
  }
  std::size_t accepted = 0;
  for (std::size_t index : m_batch) {
    if (m_rows[index].accepted) ++accepted;
  }
  SetStatus(reached < m_batch.size()
                ? Say(text::kStopped, std::to_string(reached), std::to_string(m_batch.size()))
                : Say(text::kDone, std::to_string(accepted), std::to_string(m_batch.size())));
  m_applying = false;
  m_cancelling = false;
  EnableControls();
  // What was sent is searched for at once: the main window's list shows the new addresses
  // while these rows still show how each camera answered.
  if (m_batchSent.any && m_setup.afterBatch) m_setup.afterBatch(m_batchSent);
  if (m_closeWhenDone) m_window->EndDialog(vf::ui::IDCANCEL);
}
