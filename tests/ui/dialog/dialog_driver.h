// Steps the window tests take the way the user and the engine would: show a
// list of devices, pick a row, deliver a command answer from the worker.
#pragma once

#include <initializer_list>
#include <thread>

#include "dialog_controls.h"
#include "report_list.h"
#include "resource_ids.h"
#include "search_dlg.h"
#include "timers.h"

namespace vf::test {

// A search whose answers are `devices`, ended by the collection tick.
inline void ShowDevices(CSearchDlg &dialog, std::initializer_list<DeviceRecord> devices) {
  dialog.OnSearch();
  for (const DeviceRecord &device : devices) {
    CSearchDlg::OnDeviceFound(nullptr, "200", &device, &dialog);
  }
  dialog.Timers().Fire(CSearchDlg::TIMER_COLLECT);
}

// A click on a row, as the list reports it.
inline void SelectRow(CSearchDlg &dialog, int row) {
  dialog.Controls().List(vf::res::IDC_DEVICE_LIST)->SetSelectionMark(row);
  dialog.OnDeviceListClick(row);
}

// A command answer, delivered on a thread of its own as the engine's worker does.
inline int ReplyFromWorker(CSearchDlg &dialog, const char *status) {
  int result = 0;
  std::thread worker([&] {
    result = CSearchDlg::OnCommandReply(dialog.Session(), status, nullptr, &dialog);
  });
  worker.join();
  return result;
}

}  // namespace vf::test
