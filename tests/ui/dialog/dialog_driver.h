// Steps the window tests take the way the user and the engine would: show a
// list of devices, pick a row, deliver a command answer from the worker, let
// a timer tick. Everything goes through the neutral window layer, so the same
// steps drive either backend.
#pragma once

#include <initializer_list>
#include <string>
#include <thread>

#include "dialog_probe.h"
#include "res/resource_ids.h"
#include "ui/dialog/search_dlg.h"
#include "ui/window/list_view.h"
#include "ui/window/window_thread.h"
#include "window_driver.h"

namespace vf::testing {

// One tick of a running timer of the window, now; false when not running.
inline bool FireTimer(CSearchDlg &dialog, int id) {
  if (!vf::testing::Window(dialog).IsTimerActive(id)) return false;
  dialog.OnTimer(id);
  return true;
}

// A search whose answers are `devices`, ended by the collection tick.
inline void ShowDevices(CSearchDlg &dialog, std::initializer_list<DeviceRecord> devices) {
  dialog.OnSearch();
  for (const DeviceRecord &device : devices) vf::testing::Lan(dialog).OnAnnouncement(device);
  FireTimer(dialog, CSearchDlg::TIMER_COLLECT);
}

inline ui::ListView &DeviceList(CSearchDlg &dialog) {
  return *vf::testing::Window(dialog).Find<ui::ListView>(res::IDC_DEVICE_LIST);
}

// A click on a row, as the list reports it.
inline void SelectRow(CSearchDlg &dialog, int row) {
  DeviceList(dialog).SetSelectionMark(row);
  dialog.OnDeviceListClick(row);
}

// Runs what other threads have posted to the window until now.
inline void Settle(CSearchDlg &dialog) {
  bool marker = false;
  vf::testing::Window(dialog).Thread().Post([&] { marker = true; });
  PumpUntil([&] { return marker; }, 2000);
}

// A command answer, delivered on a thread of its own as the engine's worker
// does; what it has the window tell is told when this returns.
inline void ReplyFromWorker(CSearchDlg &dialog, const char *status) {
  std::thread worker([&] { vf::testing::Lan(dialog).OnCommandAnswer(status); });
  worker.join();
  Settle(dialog);
}

inline std::string Pcs(int count) {
  return std::to_string(count) + " pcs";
}

}  // namespace vf::testing
