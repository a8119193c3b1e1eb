#include "ui/window/message_box.h"

#include <memory>
#include <mutex>

#include "ui/window/translation.h"
#include "ui/window/window_thread.h"

namespace vf::ui {
namespace {

std::mutex g_interceptorMutex;
MessageBoxInterceptor g_interceptor;

}  // namespace

void SetMessageBoxInterceptor(MessageBoxInterceptor interceptor) {
  const std::lock_guard lock(g_interceptorMutex);
  g_interceptor = std::move(interceptor);
}

int ShowMessageBox(const DialogWindow *owner, std::string_view untranslatedText,
                   std::string_view untranslatedCaption, unsigned type) {
  // Translated before anything else, so that an interceptor sees what the
  // user would read.
  const std::string text = Translated(untranslatedText);
  const std::string caption = Translated(untranslatedCaption);
  // A box is owned by its window while that is open; with none open, by none.
  const std::shared_ptr<WindowChannel> own = WindowChannel::Of(owner);
  const DialogWindow *shownOwner = own ? owner : nullptr;
  const std::shared_ptr<WindowChannel> channel = own ? own : WindowChannel::Newest();
  const bool onGuiThread = channel ? channel->IsWindowThread() : backend::OnApplicationThread();
  MessageBoxInterceptor interceptor;
  {
    const std::lock_guard lock(g_interceptorMutex);
    interceptor = g_interceptor;
  }
  if (interceptor) return interceptor({text, caption, type, owner, onGuiThread});
  if (onGuiThread) return backend::ShowMessageBoxNow(shownOwner, text, caption, type);
  if (channel == nullptr) return backend::ShowMessageBoxOffThread(text, caption, type);

  // The owner is used only while its window is open, which Send guarantees.
  auto result = std::make_shared<int>(0);
  const bool shown =
      channel->Send([=] { *result = backend::ShowMessageBoxNow(shownOwner, text, caption, type); });
  return shown ? *result : 0;
}

}  // namespace vf::ui
