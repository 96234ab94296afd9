#include "AboutWindow.h"

#include "Pictures.h"
#include "Placement.h"
#include "platform/MessageBox.h"
#include "system/SystemInfo.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace qb {
namespace {

constexpr QSize kAboutSize(400, 260);
constexpr QSize kPictureSize(64, 64);

QFont SansSerifFont(int pointSize, QFont::Weight weight) {
    QFont font(QStringLiteral("MS Sans Serif"), pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(weight);
    return font;
}

QFrame* Separator(const QString& name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    return line;
}

QLabel* CreditLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QStringLiteral("Lab_Autore"));
    label->setWordWrap(true);
    return label;
}

// X keycode of F1 (the kernel's key code plus 8), on every X server with evdev key codes.
constexpr quint32 kX11F1KeyCode = 67;

// With Ctrl and Alt held the X server gives F1 the console-switch symbol instead; its physical
// key still tells it.
bool IsF1(const QKeyEvent* e) {
    return e->key() == Qt::Key_F1 ||
           (e->nativeScanCode() == kX11F1KeyCode && QGuiApplication::platformName() == u"xcb");
}

// Ctrl and Alt held, and nothing else: the keypad flag says where a key lies, not what is held.
bool IsSysInfoChord(const QKeyEvent* e) {
    const Qt::KeyboardModifiers held = e->modifiers() & ~Qt::KeypadModifier;
    return IsF1(e) && held == (Qt::ControlModifier | Qt::AltModifier);
}

} // namespace

AboutWindow::AboutWindow(QWidget& mainWindow, SystemServices services, ProgramVersion version)
    : QDialog(nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint), main_(mainWindow),
      services_(services), programVersion_(version) {
    setObjectName(QStringLiteral("frmAbout"));
    setFixedSize(kAboutSize);
    // Closing it gives the main window back; it never ends the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    BuildControls();
    Form_Load();
}

void AboutWindow::BuildControls() {
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(Picture(QStringLiteral("about"), kPictureSize, devicePixelRatioF()));
    picture->setAlignment(Qt::AlignTop);

    title_ = new QLabel(this);
    title_->setObjectName(QStringLiteral("lblTitle"));
    title_->setFont(SansSerifFont(14, QFont::Bold));
    version_ = new QLabel(this);
    version_->setObjectName(QStringLiteral("lblVersion"));
    version_->setFont(SansSerifFont(9, QFont::Normal));

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("cmdOK"));
    ok_->installEventFilter(this);
    connect(ok_, &QPushButton::clicked, this, &AboutWindow::ReturnToMainWindow);
    sysInfo_ = new QPushButton(QStringLiteral("Sistema..."), this);
    sysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(sysInfo_, &QPushButton::clicked, this, [this] {
        if (StartSysInfo(services_.sysInfo, services_.launcher) == SysInfoStart::Unavailable) {
            services_.messages.Show(
                QStringLiteral("Non è possibile lanciare il programma 'System Info'"), kPlainStyle,
                QStringLiteral("Quantorelle"));
        }
    });

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 12);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picture, 0, 0, 3, 1);
    grid->addWidget(title_, 0, 1);
    grid->addWidget(version_, 1, 1);
    grid->addWidget(CreditLabel(QStringLiteral("Regressione lineare con il metodo dei minimi "
                                               "quadrati, scritta per Quantorelle Brindel dal "
                                               "suo gruppo di sviluppo."),
                                this),
                    2, 1);
    grid->addWidget(Separator(QStringLiteral("Line1"), this), 3, 0, 1, 2);
    grid->addWidget(CreditLabel(QStringLiteral("© Quantorelle Brindel. Tutti i diritti "
                                               "riservati."),
                                this),
                    4, 0, 1, 2);
    grid->addWidget(Separator(QStringLiteral("Line2"), this), 5, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(sysInfo_);
    buttons->addWidget(ok_);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
}

void AboutWindow::Form_Load() {
    // The controls as a fresh load makes them: the system-information button hidden again.
    sysInfo_->hide();
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowTitle(kProductName);
    version_->setText(AboutVersionText(programVersion_));
    title_->setText(kProductName);
    loaded_ = true;
}

void AboutWindow::ShowAbout() {
    if (!loaded_) {
        Form_Load();
    }
    CentreOnScreen(*this);
    show();
    raise();
    activateWindow();
    ok_->setFocus();
}

void AboutWindow::Unload() {
    hide();
    loaded_ = false;
}

void AboutWindow::ReturnToMainWindow() {
    main_.setEnabled(true);
    main_.repaint();
    main_.activateWindow();
    Unload();
}

void AboutWindow::closeEvent(QCloseEvent* e) {
    main_.setEnabled(true);
    main_.activateWindow();
    loaded_ = false;
    e->accept();
}

bool AboutWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == ok_ && e->type() == QEvent::KeyPress &&
        IsSysInfoChord(static_cast<QKeyEvent*>(e))) {
        sysInfo_->show();
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

} // namespace qb
