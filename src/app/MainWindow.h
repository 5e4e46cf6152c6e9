#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string_view>

#include "eq/EqGraphHost.h"
#include "forms/Binding.h"
#include "forms/MainForm.h"
#include "params/Variant.h"

class QTimer;

namespace dsp {

struct ParamStore;
struct PageState;
class EqGraph;
class SpectrumView;
class AudioCapture;

// Steps of the window's creation and first show that other subsystems supply. Each is a
// clearly named, optional hook: an empty hook is skipped (or uses the default noted).
struct TForm1Hooks {
    // Create: EQ graph preparation (point images, blank plot, empty grid, scale factors).
    std::function<void()> PrepareEqGraph;
    // Create: start the audio capture of the spectrum view.
    std::function<void()> StartSpectrumCapture;
    // Show: reset the EQ of every section to the defaults without sending (argument 100).
    std::function<void()> ResetAllEq;
    // Show: create the preset folders and list the preset files.
    std::function<void(const QString& modeRoot)> PreparePresetFiles;
    // Show: choose the language from the user locale.
    std::function<void()> ChooseLanguage;
    // Show: select the music page as its page button would (default: show sheet 0).
    std::function<void()> SelectMusicPage;
    // Show: fill the serial-port list (default: the ports Qt reports).
    std::function<void()> FillSerialPorts;
    // Link state: online (LinkState 2) or not.
    std::function<bool()> IsOnline;
    // Close while online: mark the link offline and send the goodbye frame (0xAA).
    std::function<void()> SayGoodbye;
    // The 10 ms step of Timer1 (pending EQ edits, then the spectrum step).
    std::function<void()> Timer1Tick;

    // ---- EQ graph and spectrum: filled by the editing layer (see GraphHost.cpp) ----
    // ShowValue(control, no step, send, raw) on the control bound at `address` (the band's
    // frequency or gain edit, or a crossover's frequency display): store, send, LastEdited.
    std::function<void(Address address, double raw)> ShowValue;
    // MusFreEdit1Click on an edit box: it becomes the current edit and its band is selected.
    std::function<void(QWidget* edit)> MusFreEdit1Click;
    // CommitEdit(step) on the current edit: 1 one step up, 11 one step down.
    std::function<void(int stepCode)> CommitEdit;
    // A message box in the interface language (default: a modal box captioned "提示" or
    // "Confirm" in the language the window shows).
    std::function<void(std::string_view zh, std::string_view en)> ShowMessage;
    // A volume marker of the system page is being dragged (the spectrum takes no samples).
    std::function<bool()> VolumeMarkerDragging;
};

// The main window: borderless, client area 1205 x 609, white, centred on the screen. It owns
// every control of the form (built by the forms subsystem) and the binding of those controls
// to parameter addresses; the parameter tables and page state are handed in.
class TForm1 : public QWidget, public EqGraphHost {
    Q_OBJECT
public:
    TForm1(Variant variant, ParamStore& params, PageState& page, QWidget* parent = nullptr);
    // A window with a parameter store and page state of its own (tests, tools).
    explicit TForm1(Variant variant, QWidget* parent = nullptr);
    ~TForm1() override;

    static constexpr int kClientWidth = 1205;
    static constexpr int kClientHeight = 609;

    Variant variant() const { return variant_; }
    ParamStore& params() { return params_; }
    PageState& pageState() { return page_; }
    ControlBinding& binding() { return binding_; }
    const forms::MainFormRegions& regions() const { return regions_; }
    TForm1Hooks& hooks() { return hooks_; }
    QTimer* Timer1() const { return timer1_; }
    QTimer* Timer2() const { return timer2_; }

    // Window state.
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool on) { keyPreview_ = on; }
    bool SpectrumPaused() const;
    bool Shown() const { return shown_; }
    bool Maximised() const { return maximised_; }
    const QString& ProgramFolder() const { return programFolder_; }
    const QString& ModeRoot() const { return modeRoot_; }

    // Binds every control to its address (see ControlBinding).
    void BindControls();

    // ---- EQ graph and spectrum view (GraphHost.cpp, SpectrumWiring.cpp) ----
    dsp::EqGraph* EqGraph() const { return eqGraph_; }
    dsp::SpectrumView& Spectrum() const { return *spectrum_; }
    dsp::AudioCapture& Capture() const { return *capture_; }
    // The one way to redraw the EQ graph: band 0-21 or 100 (all) of a view section.
    void RedrawEQ(int band, int section);
    // The curve turns grey on the output page in automatic mode.
    void UpdateCurveColor();
    // Timer1's step: ProcessPendingEQ(true), then the spectrum step.
    void Timer1Timer();
    void PinPPBtnClick();
    void PinDCFBtnClick();
    // A volume marker of the system page is being dragged (the spectrum takes no audio).
    void SetVolumeMarkerDrag(bool on) { volumeMarkerDrag_ = on; }
    // A point drag on the EQ graph or a volume-marker drag is in progress.
    bool DragInProgress() const;

    // EqGraphHost: what the EQ graph asks of the window.
    void ShowValue(Address address, double raw) override;
    bool IsEditBox(Address address) const override;
    void SelectEdit(Address address) override;
    void CommitEdit(int stepCode) override;
    bool IsShown() const override { return shown_; }
    int CurrentSheet() const override;
    int AuxTab() const override;
    int PointBand(int index) const override;
    bool AuxFirstGroupActive() const override;
    bool HintThirdGroupVisible() const override;

    // Event handlers of the window.
    void FormKeyDown(int key);
    void AdvPageControl1Change(int index);
    void RzBmpButton2Click(); // minimise
    void RzBmpButton1Click(); // maximise / restore
    void RzBmpButton3Click(); // close
    void LinkLabelDblClick();
    // Variant B: a press on the output page or its groups lets a right click open the copy
    // menu only while Ctrl is held.
    void AdvTabSheet4_MainMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods);
    bool CopyMenuAutoPopup() const { return copyMenuAutoPopup_; }
    void SetCopyMenuAutoPopup(bool on) { copyMenuAutoPopup_ = on; }

protected:
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void FormCreate();
    void FormShow();
    void ConnectWindowControls();
    void AttachCopyMenu();
    bool IsDragSurface(QWidget* w) const;
    void FillSerialPortsDefault();
    dsp::EqGraph* CreateEqGraph();
    void CreateSpectrum();
    void StartSpectrumCaptureDefault();
    void ShowMessageDefault(std::string_view zh, std::string_view en);

    std::unique_ptr<ParamStore> ownParams_;
    std::unique_ptr<PageState> ownPage_;
    Variant variant_;
    ParamStore& params_;
    PageState& page_;
    ControlBinding binding_;
    forms::MainFormRegions regions_;
    TForm1Hooks hooks_;
    QTimer* timer1_ = nullptr;
    QTimer* timer2_ = nullptr;

    bool keyPreview_ = true;
    bool copyMenuAutoPopup_ = false;
    bool shown_ = false;
    bool showHandled_ = false;
    bool maximised_ = false;
    QRect normalGeometry_;
    bool dragging_ = false;
    QPoint dragOffset_;
    QString programFolder_;
    QString modeRoot_;

    // EQ graph (a child widget) and the spectrum view; the capture goes first on destruction.
    dsp::EqGraph* eqGraph_ = nullptr;
    std::unique_ptr<dsp::SpectrumView> spectrum_;
    std::unique_ptr<dsp::AudioCapture> capture_;
    bool volumeMarkerDrag_ = false;
};

} // namespace dsp
