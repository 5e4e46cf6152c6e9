#include "app/MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QSerialPortInfo>
#include <QTimer>
#include <QWindow>

#include "eq/EqGraph.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "params/ParamStore.h"
#include "spectrum/AudioCapture.h"
#include "spectrum/SpectrumView.h"

namespace dsp {

TForm1::TForm1(Variant variant, ParamStore& params, PageState& page, QWidget* parent)
    : QWidget(parent), variant_(variant), params_(params), page_(page) {
    FormCreate();
}

TForm1::TForm1(Variant variant, QWidget* parent)
    : QWidget(parent), ownParams_(std::make_unique<ParamStore>()),
      ownPage_(std::make_unique<PageState>()), variant_(variant), params_(*ownParams_),
      page_(*ownPage_) {
    FormCreate();
}

TForm1::~TForm1() {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
    // The capture feeds the spectrum view, which paints into the graph; the graph asks this
    // window: take them down in that order while the window is still whole.
    capture_.reset();
    delete eqGraph_;
    eqGraph_ = nullptr;
}

void TForm1::FormCreate() {
    setObjectName("TForm1");
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setWindowTitle(QCoreApplication::applicationName());
    resize(kClientWidth, kClientHeight);
    setMinimumSize(kClientWidth, kClientHeight);
    setAutoFillBackground(true);

    // 1. Numbers are formatted and parsed with "." whatever the user locale says.
    QLocale::setDefault(QLocale::c());

    regions_ = forms::BuildMainForm(this, variant_, CreateEqGraph());
    timer1_ = new QTimer(this);
    timer1_->setObjectName("Timer1");
    timer1_->setInterval(10);
    timer2_ = new QTimer(this);
    timer2_->setObjectName("Timer2");
    timer2_->setInterval(3600000); // does nothing when it fires
    connect(timer1_, &QTimer::timeout, this, [this] {
        if (hooks_.Timer1Tick)
            hooks_.Timer1Tick();
    });
    ConnectWindowControls();
    CreateSpectrum();
    QCoreApplication::instance()->installEventFilter(this);

    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect avail = screen->availableGeometry();
        move(avail.center() - rect().center());
    }
    // 2. Double buffering is Qt's default for widgets. 3. The EQ graph was prepared with the
    // form (point images, blank plot, empty grid, scale factors: CreateEqGraph); the spectrum
    // view and its capture exist (CreateSpectrum), and recording starts with the first show
    // through the StartSpectrumCapture hook, after the other subsystems installed theirs.
}

void TForm1::ConnectWindowControls() {
    if (auto* b = findChild<BmpButton*>("RzBmpButton2"))
        connect(b, &QAbstractButton::clicked, this, &TForm1::RzBmpButton2Click);
    if (auto* b = findChild<BmpButton*>("RzBmpButton1"))
        connect(b, &QAbstractButton::clicked, this, &TForm1::RzBmpButton1Click);
    if (auto* b = findChild<BmpButton*>("RzBmpButton3"))
        connect(b, &QAbstractButton::clicked, this, &TForm1::RzBmpButton3Click);
    if (auto* l = findChild<TextLabel*>("LinkLabel"))
        connect(l, &TextLabel::doubleClicked, this, &TForm1::LinkLabelDblClick);
    connect(regions_.settingsPages, &QTabWidget::currentChanged, this,
            &TForm1::AdvPageControl1Change);
    if (variant_ == Variant::B)
        AttachCopyMenu();
}

void TForm1::AttachCopyMenu() {
    auto* menu = findChild<QMenu*>("CopyPopupMenu");
    auto popupAt = [this, menu](QWidget* w) {
        return [this, menu, w](const QPoint& pos) {
            if (copyMenuAutoPopup_ && menu)
                menu->popup(w->mapToGlobal(pos));
        };
    };
    auto* sheet = findChild<TabSheet*>("AdvTabSheet4_Main");
    sheet->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(sheet, &TabSheet::mousePressed, this, &TForm1::AdvTabSheet4_MainMouseDown);
    connect(sheet, &QWidget::customContextMenuRequested, this, popupAt(sheet));
    for (const char* name : {"OutLimiteGroup", "AdvGroupBox6", "OutLHPGroup", "AdvGroupBox21",
                             "AdvGroupBox34", "AdvGroupBox7"}) {
        auto* group = findChild<GroupBox*>(name);
        if (!group)
            continue;
        group->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(group, &GroupBox::mousePressed, this, &TForm1::AdvTabSheet4_MainMouseDown);
        connect(group, &QWidget::customContextMenuRequested, this, popupAt(group));
    }
}

void TForm1::AdvTabSheet4_MainMouseDown(Qt::MouseButton, Qt::KeyboardModifiers mods) {
    copyMenuAutoPopup_ = mods.testFlag(Qt::ControlModifier);
}

void TForm1::BindControls() {
    binding_.BindControls(this, variant_, params_, page_);
}

void TForm1::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    if (!showHandled_) {
        showHandled_ = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    // Creation steps that belong to the EQ graph and the spectrum run first, in their order.
    if (hooks_.PrepareEqGraph)
        hooks_.PrepareEqGraph();
    if (hooks_.StartSpectrumCapture)
        hooks_.StartSpectrumCapture();

    // 1. Bind every control to its address (twice, as the window always has).
    BindControls();
    BindControls();
    // 2. Reset every EQ to its defaults without sending.
    if (hooks_.ResetAllEq)
        hooks_.ResetAllEq();
    // 3. The program folder and the mode folders below it.
    programFolder_ = QCoreApplication::applicationDirPath();
    modeRoot_ = programFolder_ + "/Mode";
    // 4. Preset folders and file lists.
    if (hooks_.PreparePresetFiles)
        hooks_.PreparePresetFiles(modeRoot_);
    // 5. Language from the user locale.
    if (hooks_.ChooseLanguage)
        hooks_.ChooseLanguage();
    // 6. The music page, unless a link is already online.
    const bool online = hooks_.IsOnline && hooks_.IsOnline();
    if (!online) {
        if (hooks_.SelectMusicPage)
            hooks_.SelectMusicPage();
        else
            regions_.channelPages->setCurrentIndex(0);
    }
    if (QWidget* sink = findChild<QWidget*>("Examplexx"))
        sink->setFocus();
    // 7. The EQ graph's 10 ms step.
    timer1_->start();
    // 8. Serial ports; a failure leaves the list as it was.
    if (hooks_.FillSerialPorts)
        hooks_.FillSerialPorts();
    else
        FillSerialPortsDefault();
    // 9.
    shown_ = true;
}

void TForm1::FillSerialPortsDefault() {
    auto* box = findChild<ComboBox*>("ComComboBox1");
    if (!box)
        return;
    const QList<QSerialPortInfo> ports = QSerialPortInfo::availablePorts();
    box->clear();
    for (const QSerialPortInfo& p : ports)
        box->addItem(p.portName());
    box->setCurrentIndex(ports.isEmpty() ? -1 : 0);
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (regions_.titleBar)
        forms::LayOutMainForm(regions_, size());
}

// ---- keyboard ----

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::KeyPress && keyPreview_) {
        auto* w = qobject_cast<QWidget*>(watched);
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (w && w == target && (w == this || isAncestorOf(w))) {
            // Free-text boxes (names, addresses) keep their letters: a shortcut there would
            // change a master volume while the user types a name.
            auto* edit = qobject_cast<ValueEdit*>(w);
            const bool freeText = edit && edit->hint().isEmpty() && !edit->isReadOnly();
            if (!freeText)
                FormKeyDown(static_cast<QKeyEvent*>(e)->key());
        }
    }
    return QWidget::eventFilter(watched, e);
}

void TForm1::FormKeyDown(int key) {
    if (!keyPreview_)
        return;
    const char* bar = nullptr;
    int step = 0;
    switch (key) {
    case Qt::Key_Q:
        bar = "SysMusNormalVolBar", step = 1;
        break;
    case Qt::Key_A:
        bar = "SysMusNormalVolBar", step = -1;
        break;
    case Qt::Key_W:
        bar = "SysMicNormalVolBar", step = 1;
        break;
    case Qt::Key_S:
        bar = "SysMicNormalVolBar", step = -1;
        break;
    case Qt::Key_E:
        bar = "SysEffNormalVolBar", step = 1;
        break;
    case Qt::Key_D:
        bar = "SysEffNormalVolBar", step = -1;
        break;
    case Qt::Key_P:
        spectrum_->TogglePause();
        return;
    default:
        return;
    }
    // The slider clamps to its range and reports the change as a user move would.
    if (auto* slider = findChild<TrackBar*>(bar))
        slider->setPosition(slider->position() + step);
}

void TForm1::AdvPageControl1Change(int index) {
    keyPreview_ = index == 0;
}

// ---- window buttons ----

void TForm1::RzBmpButton2Click() {
    showMinimized();
}

void TForm1::RzBmpButton1Click() {
    auto* button = findChild<BmpButton*>("RzBmpButton1");
    if (maximised_) {
        maximised_ = false;
        setGeometry(normalGeometry_);
        if (button)
            button->setGlyph(BmpButton::Glyph::Maximise);
        return;
    }
    normalGeometry_ = geometry();
    // The screen's available geometry leaves the task bar uncovered.
    QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (s)
        setGeometry(s->availableGeometry());
    maximised_ = true;
    if (button)
        button->setGlyph(BmpButton::Glyph::Restore);
}

void TForm1::RzBmpButton3Click() {
    if (hooks_.IsOnline && hooks_.IsOnline() && hooks_.SayGoodbye)
        hooks_.SayGoodbye();
    close();
}

void TForm1::LinkLabelDblClick() {
    if (auto* l = findChild<QWidget*>("SysLogoLabel"))
        l->show();
    if (auto* e = findChild<ValueEdit*>("SysLogoEdit")) {
        e->clear();
        e->show();
    }
    if (auto* b = findChild<QWidget*>("FormHintTabBtn"))
        b->hide();
}

void TForm1::closeEvent(QCloseEvent* e) {
    e->accept(); // the close query never refuses
}

// ---- dragging the borderless window ----

bool TForm1::IsDragSurface(QWidget* w) const {
    if (!w || w == this)
        return true;
    static const char* surfaces[] = {"Image2",       "RzLabel9",    "TitleProductLabel",
                                     "MainGroupBox", "RzGroupBox2", "RzGroupBox17"};
    for (const char* name : surfaces)
        if (w->objectName() == QLatin1String(name))
            return true;
    return false;
}

void TForm1::mousePressEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton || maximised_ ||
        !IsDragSurface(childAt(e->position().toPoint()))) {
        QWidget::mousePressEvent(e);
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove())
        return;
    dragging_ = true;
    dragOffset_ = e->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TForm1::mouseMoveEvent(QMouseEvent* e) {
    if (dragging_ && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - dragOffset_);
    else
        QWidget::mouseMoveEvent(e);
}

void TForm1::mouseReleaseEvent(QMouseEvent* e) {
    dragging_ = false;
    QWidget::mouseReleaseEvent(e);
}

} // namespace dsp
