// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader gets from the window, read through the toolkit's accessibility
// interface with the accessibility framework active, as an assistive technology makes it.
#include <QtGui/private/qguiapplication_p.h>
#include <gtest/gtest.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <QAccessible>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <vector>

#include "game/random.h"
#include "sound/sound.h"
#include "ui/form1.h"

namespace headpop {
namespace {

// Every accessibility update, as an assistive technology would be told of it.
std::vector<std::pair<QObject*, QAccessible::Event>>& Updates() {
  static std::vector<std::pair<QObject*, QAccessible::Event>> updates;
  return updates;
}

void Record(QAccessibleEvent* event) { Updates().emplace_back(event->object(), event->type()); }

class Accessibility : public ::testing::Test {
 protected:
  // The platform's side of the framework says whether a screen reader listens; without one
  // it stays off and the window announces nothing.
  static QPlatformAccessibility* Platform() {
    return QGuiApplicationPrivate::platformIntegration()->accessibility();
  }
  static void SetUpTestSuite() {
    QAccessible::installUpdateHandler(Record);
    ASSERT_NE(Platform(), nullptr);
    Platform()->setActive(true);
    ASSERT_TRUE(QAccessible::isActive());
  }
  static void TearDownTestSuite() {
    Platform()->setActive(false);
    QAccessible::installUpdateHandler(nullptr);
  }

  Accessibility() {
    form.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&form));
    Updates().clear();
  }

  QAccessibleInterface* Control(const char* name) {
    QObject* control = form.findChild<QObject*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << name;
    return control != nullptr ? QAccessible::queryAccessibleInterface(control) : nullptr;
  }

  NullSound sound;
  ClockRandom random{1, [] { return uint64_t{0}; }};
  Form1 form{sound, random};
};

TEST_F(Accessibility, EveryControlHasANameAScreenReaderReads) {
  struct Case {
    const char* control;
    QAccessible::Role role;
    QString name;
    QString description;
  };
  const Case cases[] = {
      {"Command1", QAccessible::Button, QStringLiteral("Start"),
       QStringLiteral("Let's Get it on !!")},
      {"Command2", QAccessible::Button, QStringLiteral("Quit"), QStringLiteral("I want Out..")},
      {"Picture1", QAccessible::NoRole, QStringLiteral("Playfield"),
       QStringLiteral("Release a mouse button over a head to shoot it")},
      {"Label4", QAccessible::StaticText, QStringLiteral("Poin :"), QString()},
      {"scorelbl", QAccessible::StaticText, QStringLiteral("00"), QStringLiteral("Score")},
      {"Label1", QAccessible::StaticText, QStringLiteral("Level :"), QString()},
      {"levellbl", QAccessible::StaticText, QStringLiteral("00"), QStringLiteral("Level")},
      {"Label3", QAccessible::StaticText, QStringLiteral("About ?"), QString()},
  };
  for (const Case& c : cases) {
    QAccessibleInterface* control = Control(c.control);
    ASSERT_NE(control, nullptr) << c.control;
    if (c.role != QAccessible::NoRole) {
      EXPECT_EQ(control->role(), c.role) << c.control;
    }
    EXPECT_EQ(control->text(QAccessible::Name), c.name) << c.control;
    EXPECT_EQ(control->text(QAccessible::Description), c.description) << c.control;
  }
  // The window itself, and nothing in it without a name.
  QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Headpop"));
  for (int i = 0; i < window->childCount(); ++i) {
    EXPECT_FALSE(window->child(i)->text(QAccessible::Name).trimmed().isEmpty())
        << "child " << i << ": " << qPrintable(window->child(i)->object()->objectName());
  }
}

TEST_F(Accessibility, ANewScoreIsReadAndAnnounced) {
  QAccessibleInterface* score = Control("scorelbl");
  ASSERT_NE(score, nullptr);
  QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
  EXPECT_EQ(score->text(QAccessible::Name), QStringLiteral(" 0"));
  const auto& updates = Updates();
  EXPECT_NE(
      std::find(updates.begin(), updates.end(),
                std::pair<QObject*, QAccessible::Event>(score->object(), QAccessible::NameChanged)),
      updates.end())
      << "no name change announced for the score";
}

}  // namespace
}  // namespace headpop
