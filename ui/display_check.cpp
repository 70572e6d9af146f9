#include "ui/display_check.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace headpop {
namespace {

bool IsSet(const char* value) { return value != nullptr && *value != '\0'; }

constexpr const char* kAdvice =
    "start it from a desktop session, or under a virtual display with xvfb-run.";

void OnToolkitMessage(QtMsgType type, const QMessageLogContext& /*context*/,
                      const QString& message) {
  if (type != QtFatalMsg) {
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return;
  }
  const QByteArray display = qgetenv("DISPLAY");
  std::fprintf(stderr, "headpop: cannot open a window on the display \"%s\"; %s\n",
               display.constData(), kAdvice);
  std::_Exit(1);
}

}  // namespace

std::string MissingDisplayMessage(const char* qpaPlatform, const char* x11Display,
                                  const char* waylandDisplay) {
  if (IsSet(qpaPlatform) || IsSet(x11Display) || IsSet(waylandDisplay)) {
    return {};
  }
  return std::string("headpop: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set); ") +
         kAdvice;
}

void ExitCleanlyWhenTheDisplayFails() { qInstallMessageHandler(OnToolkitMessage); }

}  // namespace headpop
