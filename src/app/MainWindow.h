#pragma once

#include <QRect>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "forms/Binding.h"
#include "forms/MainForm.h"
#include "params/Variant.h"

class QTimer;

namespace dsp {

struct ParamStore;
struct PageState;

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
};

// The main window: borderless, client area 1205 x 609, white, centred on the screen. It owns
// every control of the form (built by the forms subsystem) and the binding of those controls
// to parameter addresses; the parameter tables and page state are handed in.
class TForm1 : public QWidget {
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
    bool SpectrumPaused() const { return spectrumPaused_; }
    bool Shown() const { return shown_; }
    bool Maximised() const { return maximised_; }
    const QString& ProgramFolder() const { return programFolder_; }
    const QString& ModeRoot() const { return modeRoot_; }

    // Binds every control to its address (see ControlBinding).
    void BindControls();

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
    bool spectrumPaused_ = false;
    bool shown_ = false;
    bool showHandled_ = false;
    bool maximised_ = false;
    QRect normalGeometry_;
    bool dragging_ = false;
    QPoint dragOffset_;
    QString programFolder_;
    QString modeRoot_;
};

} // namespace dsp
