// The main window's side of the spectrum view: the view and the audio capture it owns, the
// two switches in the button bar, the P key's pause, and the bars handed to the EQ graph,
// which paints them under its curve.
#include <QEvent>
#include <QMessageBox>

#include "app/MainWindow.h"
#include "eq/EqGraph.h"
#include "forms/kit/Kit.h"
#include "params/PageState.h"
#include "spectrum/AudioCapture.h"
#include "spectrum/SpectrumView.h"
#include "spectrum/SpectrumViewCapture.h"
#include "spectrum/SpectrumViewMath.h"

namespace dsp {

namespace {

// Tells the view the plot's new size whenever Image1 is resized (window maximised or restored).
class PlotSizeWatcher : public QObject {
public:
    PlotSizeWatcher(QWidget* plot, SpectrumView& view) : QObject(plot), view_(view) {
        plot->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            const auto* plot = static_cast<QWidget*>(watched);
            view_.SetPlotSize(plot->width(), plot->height());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    SpectrumView& view_;
};

QString Text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

} // namespace

void TForm1::CreateSpectrum() {
    SpectrumViewHooks h;
    h.DragInProgress = [this] { return DragInProgress(); };
    h.ShowMessage = [this](std::string_view zh, std::string_view en) {
        if (hooks_.ShowMessage)
            hooks_.ShowMessage(zh, en);
        else
            ShowMessageDefault(zh, en);
    };
    h.RepaintNeeded = [this] { eqGraph_->SetSpectrumColumns(spectrum_->bars()); };
    h.SpectrumOnChanged = [this](bool on) {
        if (auto* b = findChild<BmpButton*>("PinPPBtn"))
            b->setState(on);
    };
    spectrum_ = std::make_unique<SpectrumView>(MakeSpectrumViewMath(), std::move(h));
    capture_ = std::make_unique<AudioCapture>();

    QWidget* plot = eqGraph_->Image1();
    spectrum_->SetPlotSize(plot->width(), plot->height());
    new PlotSizeWatcher(plot, *spectrum_);

    if (auto* b = findChild<BmpButton*>("PinPPBtn"))
        connect(b, &QAbstractButton::clicked, this, &TForm1::PinPPBtnClick);
    if (auto* b = findChild<BmpButton*>("PinDCFBtn"))
        connect(b, &QAbstractButton::clicked, this, &TForm1::PinDCFBtnClick);

    // Defaults of the window's steps; tests and tools may replace them.
    hooks_.StartSpectrumCapture = [this] { StartSpectrumCaptureDefault(); };
    hooks_.Timer1Tick = [this] { Timer1Timer(); };
}

void TForm1::StartSpectrumCaptureDefault() {
    StartSpectrumCapture(*capture_, *spectrum_);
}

bool TForm1::SpectrumPaused() const {
    return spectrum_->Paused();
}

void TForm1::PinPPBtnClick() {
    auto* button = findChild<BmpButton*>("PinPPBtn");
    const bool pressed = button ? !button->stateOn() : !spectrum_->SpectrumOn();
    if (button)
        button->setState(pressed);
    const int shown = spectrum_->PinPPBtnClick(pressed ? 1 : 0);
    if (button)
        button->setState(shown == 1);
    // Switched off (or refused): the plot is redrawn without bars.
    if (shown == 0)
        RedrawEQ(100, page_.CurrentSection);
}

void TForm1::PinDCFBtnClick() {
    auto* button = findChild<BmpButton*>("PinDCFBtn");
    const bool pressed = button ? !button->stateOn() : !spectrum_->LowTrigger();
    if (button)
        button->setState(pressed);
    spectrum_->PinDCFBtnClick(pressed ? 1 : 0);
}

// A modal box in the language the window shows: Chinese captioned "提示", English "Confirm".
void TForm1::ShowMessageDefault(std::string_view zh, std::string_view en) {
    const auto* probe = findChild<BmpButton*>("PinPPBtn");
    const bool chinese = !probe || probe->text() == probe->textZh();
    QMessageBox box(QMessageBox::Information, chinese ? "提示" : "Confirm", Text(chinese ? zh : en),
                    QMessageBox::Ok, this);
    box.exec();
}

} // namespace dsp
