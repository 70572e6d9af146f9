// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "compositor.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

namespace headpop::test_support {
namespace {

constexpr int kToolTimeoutMs = 10000;

// Runs a tool to its end; its standard output, or nothing (with `error` set). Waiting does
// not run this process's event loop: a game in this process stands still meanwhile.
std::optional<QByteArray> RunTool(const QString& program, const QStringList& arguments,
                                  const QString& folder, QString& error) {
  QProcess tool;
  tool.setWorkingDirectory(folder);
  tool.start(program, arguments);
  if (!tool.waitForFinished(kToolTimeoutMs) || tool.exitStatus() != QProcess::NormalExit ||
      tool.exitCode() != 0) {
    error =
        QStringLiteral("%1 failed: %2 %3")
            .arg(program, tool.errorString(), QString::fromLocal8Bit(tool.readAllStandardError()));
    return std::nullopt;
  }
  return tool.readAllStandardOutput();
}

// "(x1, y1) -> (x2, y2)" after `label`, the second corner excluded.
std::optional<QRect> CornersAfter(const QString& line, const QString& label) {
  static const QRegularExpression corners(
      QStringLiteral(R"(\((-?\d+), (-?\d+)\) -> \((-?\d+), (-?\d+)\))"));
  const qsizetype at = line.indexOf(label);
  if (at < 0) {
    return std::nullopt;
  }
  const QRegularExpressionMatch match = corners.match(line, at + label.size());
  if (!match.hasMatch()) {
    return std::nullopt;
  }
  const QPoint from(match.captured(1).toInt(), match.captured(2).toInt());
  const QPoint to(match.captured(3).toInt(), match.captured(4).toInt());
  return QRect(from, to - QPoint(1, 1));
}

}  // namespace

std::optional<ShownWindow> FindShownWindow(const QString& title, QString& error) {
  const std::optional<QByteArray> graph = RunTool(
      QStringLiteral("weston-debug"), {QStringLiteral("scene-graph")}, QDir::currentPath(), error);
  if (!graph) {
    return std::nullopt;
  }
  const QStringList lines = QString::fromUtf8(*graph).split(QLatin1Char('\n'));
  const QString view = QStringLiteral("top-level window '%1'").arg(title);
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!lines[i].contains(view)) {
      continue;
    }
    ShownWindow shown;
    // The view's details follow its line, up to the next view or layer.
    for (qsizetype j = i + 1; j < lines.size() && lines[j].startsWith(QLatin1String("\t\t")); ++j) {
      if (const auto frame = CornersAfter(lines[j], QStringLiteral("position:"))) {
        shown.frame = *frame;
      }
      if (const auto client = CornersAfter(lines[j], QStringLiteral("[opaque:"))) {
        shown.client = *client;
      }
    }
    if (shown.frame.isEmpty() || shown.client.isEmpty()) {
      error = QStringLiteral("the window \"%1\" has no place or no opaque part yet").arg(title);
      return std::nullopt;
    }
    return shown;
  }
  error = QStringLiteral("the compositor shows no window \"%1\"").arg(title);
  return std::nullopt;
}

QImage TakeScreenshot(QString& error) {
  // The tool writes wayland-screenshot-DATE.png into its working folder.
  const QTemporaryDir folder;
  if (!folder.isValid() ||
      !RunTool(QStringLiteral("weston-screenshooter"), {}, folder.path(), error)) {
    return {};
  }
  const QStringList written = QDir(folder.path()).entryList({QStringLiteral("*.png")});
  if (written.size() != 1) {
    error = QStringLiteral("weston-screenshooter wrote %1 pictures").arg(written.size());
    return {};
  }
  QImage shot(QDir(folder.path()).filePath(written.first()));
  if (shot.isNull()) {
    error = QStringLiteral("cannot read the screenshot");
  }
  return shot.convertToFormat(QImage::Format_RGB32);
}

}  // namespace headpop::test_support
