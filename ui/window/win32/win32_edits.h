// The edits of the Win32 window: a one-line edit, and the IP address control
// with its four octet fields.
#pragma once

#include <string>

#include "ui/window/controls.h"
#include "ui/window/win32/win32_control.h"

namespace vf::ui::win32 {

// A one-line edit draws nothing for a line break or another control
// character, so two addresses joined by "\r\n" would read as one
// ("10.77.0.110.77.9.1"): each is shown as a space, as the Qt window shows
// it, and the text reads back as it was set while the edit still shows it so.
class Win32Edit final : public Win32Control<Edit> {
 public:
  using Win32Control::Win32Control;
  bool SetText(std::string_view text) override;
  std::string Text() const override;
  void SetReadOnly(bool readOnly) override;
  bool IsReadOnly() const override;

 private:
  // What was set and what the edit shows of it, while they differ.
  std::string m_set;
  std::wstring m_shown;
};

// Dotted text in and out; fields that are missing or no number stay blank,
// values above 255 are cut to 255, and a blank field reads as 0.
class Win32IpAddress final : public Win32Control<IpAddressControl> {
 public:
  using Win32Control::Win32Control;
  bool SetText(std::string_view text) override;
  std::string Text() const override;
  bool IsPartlyBlank() const override;
};

}  // namespace vf::ui::win32
