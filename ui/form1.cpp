// SPDX-FileCopyrightText: 2026 The Headpop developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/form1.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include "ui/about_label.h"
#include "ui/playfield_widget.h"

namespace headpop {
namespace {

// Deviation (see docs/deviations.md, "label font"): stand-ins for the classic 8.25 and 9.75
// point bold sans-serif faces at 96 dots per inch, chosen so that every caption fits its
// label's design size.
const char* const kSmallLabelFamily = "DejaVu Sans Condensed";
constexpr int kSmallLabelPixels = 11;
const char* const kAboutLabelFamily = "DejaVu Sans";
constexpr int kAboutLabelPixels = 12;
constexpr int kLabelBorder = 2;
constexpr int kSmallLabelHeight = 17;
constexpr int kAboutLabelHeight = 20;
constexpr int kDesignTimer1Interval = 1;
constexpr int kExplosionInterval = 80;

const QColor kWhite(255, 255, 255);
const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kGrey(128, 128, 128);
const QColor kBlack(0, 0, 0);

QFont LabelFont(const char* family, int pixels) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QColor& colour,
                  const QRect& geometry, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setFont(LabelFont(kSmallLabelFamily, kSmallLabelPixels));
  label->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  label->setLineWidth(kLabelBorder);
  label->setIndent(0);  // a framed label would otherwise indent its text by half an 'x'
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(alignment | Qt::AlignVCenter);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setGeometry(geometry);
  // Moves over these labels belong to no one: they must not reach the window's handler.
  label->setAttribute(Qt::WA_NoMousePropagation);
  return label;
}

// A button that shows only a picture: a screen reader reads `spoken` for it, and its tip.
QPushButton* MakePictureButton(QWidget* parent, const char* name, const QString& spoken,
                               const QIcon& picture, const QString& tip, const QRect& geometry) {
  auto* button = new QPushButton(parent);
  button->setObjectName(QLatin1String(name));
  button->setIcon(picture);
  button->setIconSize(picture.availableSizes().value(0));
  button->setToolTip(tip);
  button->setAccessibleName(spoken);
  button->setAccessibleDescription(tip);
  button->setGeometry(geometry);
  // Return and Enter press a focused button as Space does, without making it a default.
  button->setAutoDefault(true);
  // Every move over a button reaches the window's filter (the hover highlight), pressed or
  // not, and none goes on to the window's own move handler, which is the background's.
  button->setMouseTracking(true);
  button->setAttribute(Qt::WA_NoMousePropagation);
  return button;
}

}  // namespace

Form1::Form1(Sound& sound, RandomSource& random, QWidget* parent)
    : QWidget(parent),
      sound_(sound),
      timer2_(this, QStringLiteral("Timer2"), std::chrono::milliseconds(kExplosionInterval)),
      game_(*this, random) {
  BuildControls();
  ConnectEvents();
  game_.Form_Load();
}

Form1::~Form1() = default;

void Form1::BuildControls() {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Headpop"));
  setWindowIcon(pictures_.WindowIcon());
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setMouseTracking(true);
  // Deviation (see docs/deviations.md, "Wayland"): there the compositor places the window.
  CentreFrameOnScreen();

  picture1_ = new PlayfieldWidget(this);
  picture1_->setObjectName(QStringLiteral("Picture1"));
  picture1_->move(16, 56);
  ShowPointerForScreen();
  picture1_->setAccessibleName(QStringLiteral("Playfield"));
  picture1_->setAccessibleDescription(
      QStringLiteral("Release a mouse button over a head to shoot it"));

  command1_ = MakePictureButton(this, "Command1", QStringLiteral("Start"), pictures_.StartPicture(),
                                QStringLiteral("Let's Get it on !!"), QRect(112, 360, 81, 49));
  command2_ = MakePictureButton(this, "Command2", QStringLiteral("Quit"), pictures_.QuitPicture(),
                                QStringLiteral("I want Out.."), QRect(200, 360, 49, 49));

  label4_ = MakeLabel(this, "Label4", QStringLiteral("Poin :"), kWhite,
                      QRect(16, 360, 38, kSmallLabelHeight), Qt::AlignLeft);
  scorelbl_ = MakeLabel(this, "scorelbl", QStringLiteral("00"), kCyan,
                        QRect(56, 360, 51, kSmallLabelHeight), Qt::AlignHCenter);
  label1_ = MakeLabel(this, "Label1", QStringLiteral("Level :"), kWhite,
                      QRect(40, 384, 44, kSmallLabelHeight), Qt::AlignLeft);
  levellbl_ = MakeLabel(this, "levellbl", QString(), kYellow, QRect(88, 384, 19, kSmallLabelHeight),
                        Qt::AlignLeft);
  ShowLevelCaption(QStringLiteral("00"));
  // A screen reader reads a label's caption as its name; these two say what they count.
  scorelbl_->setAccessibleDescription(QStringLiteral("Score"));
  levellbl_->setAccessibleDescription(QStringLiteral("Level"));

  label3_ = new AboutLabel(this);
  label3_->setObjectName(QStringLiteral("Label3"));
  label3_->setFont(LabelFont(kAboutLabelFamily, kAboutLabelPixels));
  label3_->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  label3_->setLineWidth(kLabelBorder);
  label3_->setIndent(0);
  label3_->setTextFormat(Qt::PlainText);
  label3_->setText(QStringLiteral("&About ?"));
  label3_->setAccessibleName(QStringLiteral("About ?"));
  label3_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  label3_->setAutoFillBackground(true);
  label3_->setGeometry(256, 384, 57, kAboutLabelHeight);
  label3_->setMouseTracking(true);
  SetAboutHighlight(false);

  timer1_.setParent(this);
  timer1_.setObjectName(QStringLiteral("Timer1"));
  timer1_.setTimerType(Qt::PreciseTimer);
  timer1_.setInterval(kDesignTimer1Interval);

  setTabOrder(command1_, picture1_);
  setTabOrder(picture1_, command2_);
  command1_->setFocus();
}

void Form1::ConnectEvents() {
  connect(command1_, &QPushButton::clicked, this, ToRules(&Game::Command1_Click));
  connect(command2_, &QPushButton::clicked, this, ToRules(&Game::Command2_Click));
  connect(label3_, &AboutLabel::Clicked, this, ToRules(&Game::Label3_Click));
  connect(label3_, &AboutLabel::MouseMoved, this, [this] { SetAboutHighlight(true); });
  connect(picture1_, &PlayfieldWidget::Released, this,
          [this](int16_t button, int16_t shift, float x, float y) {
            const PlayfieldWidget::ShowChangesAtEnd show(*picture1_);
            game_.Picture1_MouseUp(button, shift, x, y);
            FollowExplosions();
          });
  connect(&timer1_, &QTimer::timeout, this, ToRules(&Game::Timer1_Timer));
  connect(&timer2_.Waker(), &QTimer::timeout, this, ToRules(&Game::Timer2_Timer));
  command1_->installEventFilter(this);
  command2_->installEventFilter(this);
}

std::function<void()> Form1::ToRules(void (Game::*handler)()) {
  return [this, handler] {
    const PlayfieldWidget::ShowChangesAtEnd show(*picture1_);
    (game_.*handler)();
    FollowExplosions();
  };
}

void Form1::FollowExplosions() { timer2_.Follow(game_.Timer2HasWork()); }

void Form1::SetAboutHighlight(bool on) {
  QPalette palette = label3_->palette();
  palette.setColor(QPalette::WindowText, on ? kYellow : kGrey);
  palette.setColor(QPalette::Window, kBlack);
  label3_->setPalette(palette);
}

void Form1::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  // Without smooth pixmap transforms a high-DPI painter enlarges the picture by nearest
  // neighbour: crisp at every whole scale factor.
  painter.drawImage(0, 0, pictures_.WindowBackground());
  if (!soundPrepareAsked_) {
    soundPrepareAsked_ = true;
    // Queued, so that it comes after this first frame has reached the screen: getting the
    // sound ready would otherwise hold the window back.
    QMetaObject::invokeMethod(this, &Form1::PrepareSound, Qt::QueuedConnection);
  }
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // The window may open on, or be moved to, a screen of another scale.
  if (QWindow* window = windowHandle()) {
    connect(window, &QWindow::screenChanged, this, &Form1::ShowPointerForScreen,
            Qt::UniqueConnection);
  }
  ShowPointerForScreen();
}

void Form1::PrepareSound() { sound_.Prepare(); }

void Form1::ShowPointerForScreen() {
  picture1_->Area().setCursor(pictures_.GunsightCursor(devicePixelRatio()));
}

void Form1::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // A window manager frames the window only as it is shown, and the frame's size is known
  // only then: the window first opens as if it had none, and moves once, so that its frame,
  // title bar included, is what sits in the middle.
  if (!frameCentred_ && frameGeometry().size() != size()) {
    frameCentred_ = true;
    CentreFrameOnScreen();
  }
}

void Form1::CentreFrameOnScreen() {
  const QScreen* shownOn = screen();
  if (shownOn == nullptr) {
    return;
  }
  const QRect available = shownOn->availableGeometry();
  const QSize frame = frameGeometry().size();
  // The frame's top-left corner, which is what moving a window places.
  move(available.x() + (available.width() - frame.width()) / 2,
       available.y() + (available.height() - frame.height()) / 2);
}

// Form_MouseMove: every control keeps its own moves, so only those over the window's
// background arrive here.
void Form1::mouseMoveEvent(QMouseEvent* event) {
  SetAboutHighlight(false);
  QWidget::mouseMoveEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove && (watched == command1_ || watched == command2_)) {
    SetAboutHighlight(false);
  }
  return QWidget::eventFilter(watched, event);
}

bool Form1::TimerEnabled(GameTimer timer) const {
  return timer == GameTimer::Timer1 ? timer1_.isActive() : timer2_.Enabled();
}

void Form1::DrawSprite(SpriteSet set, int16_t item, float x, float y) {
  const QRect changed =
      picture1_->Surface().DrawSprite(pictures_.Sprite(set, item).Picture(), x, y);
  picture1_->RepaintArea(changed);
}

void Form1::ClearPlayfield() {
  picture1_->Surface().Clear();
  picture1_->RepaintArea(picture1_->Surface().Pixels().rect());
}

void Form1::SetScreenPicture(ScreenPicture holder) {
  shownScreen_ = holder;
  picture1_->Surface().SetScreenPicture(pictures_.Screen(holder));
  picture1_->RepaintArea(picture1_->Surface().Pixels().rect());
}

void Form1::SetPixelUnits(SpriteSet set, int16_t item) {
  pictures_.Sprite(set, item).SetPixelUnits();
}

float Form1::SpriteScaleWidth(SpriteSet set, int16_t item) const {
  return pictures_.Sprite(set, item).ScaleWidth();
}

float Form1::SpriteScaleHeight(SpriteSet set, int16_t item) const {
  return pictures_.Sprite(set, item).ScaleHeight();
}

float Form1::PlayfieldScaleWidth() const { return PlayfieldSurface::kWidth; }

float Form1::PlayfieldScaleHeight() const { return PlayfieldSurface::kHeight; }

void Form1::SetScoreCaption(const std::string& text) {
  scorelbl_->setText(QString::fromStdString(text));
}

void Form1::SetLevelCaption(const std::string& text) {
  ShowLevelCaption(QString::fromStdString(text));
}

void Form1::ShowLevelCaption(const QString& caption) {
  levellbl_->setText(caption);
  // Sized to its text: it grows to the right from its design position.
  const int width = levellbl_->fontMetrics().horizontalAdvance(caption) + 2 * kLabelBorder;
  levellbl_->resize(width, kSmallLabelHeight);
}

void Form1::SetTimerEnabled(GameTimer timer, bool enabled) {
  if (timer == GameTimer::Timer2) {
    timer2_.SetEnabled(enabled);
    FollowExplosions();
  } else if (!enabled) {
    timer1_.stop();
  } else if (!timer1_.isActive()) {
    timer1_.start();  // a fresh interval: the first tick comes one interval later
  }
}

void Form1::SetTimer1Interval(int16_t milliseconds) { timer1_.setInterval(milliseconds); }

void Form1::FocusStartButton() { command1_->setFocus(); }

bool Form1::AskYesNo(const std::string& prompt, const std::string& title) {
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title),
                  QString::fromStdString(prompt), QMessageBox::Yes | QMessageBox::No, this);
  box.setDefaultButton(QMessageBox::Yes);
  return box.exec() == QMessageBox::Yes;
}

void Form1::EndProgram() {
  timer1_.stop();
  timer2_.SetEnabled(false);
  QCoreApplication::exit(0);
}

bool Form1::DetectSoundFiles() { return sound_.DetectSoundFiles(); }

void Form1::PlaySoundFile(std::string_view name) { sound_.PlayEffect(name); }

}  // namespace headpop
