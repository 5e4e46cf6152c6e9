#pragma once

#include <QObject>
#include <QPoint>
#include <array>

#include "params/ParamTable.h"
#include "params/Variant.h"

namespace dsp {

struct LinkContext;
class TForm1;
class LangMessages;
class TrackBar;
class StatusPane;
class MarkerImage;
class BmpButton;
class ComboBox;

// Geometry of the volume markers: a marker's Left is 53 + 1.89 × value, rounded to the
// nearest pixel with halves to even; a dragged marker stays within 53 … 211.
constexpr int kMarkerLeftMin = 53;
constexpr int kMarkerLeftMax = 211;
int MarkerLeftOf(int value);
int MarkerValueOf(int left);

// The system settings of the main window: the three volume triples (master, maximum, start)
// with their markers, the two-button selectors, the input selector with the input volume and
// the Bluetooth name. Writes go through the link's write path.
class SystemPageController : public QObject {
    Q_OBJECT
public:
    SystemPageController(TForm1& form, LinkContext& link, LangMessages& messages,
                         QObject* parent = nullptr);

    // OnChange of the nine volume bars (section 25, slots 0 to 8).
    void SysMusNormalVolBarChange(TrackBar* bar);

    // The marker images above the master bars.
    void MusStartImageMouseDown(MarkerImage* image, Qt::MouseButton button, QPoint pos);
    void MusStartImageMouseMove(MarkerImage* image, QPoint pos);
    void MusStartImageMouseUp(MarkerImage* image);
    bool DragInProgress() const { return dragInProgress_; }
    int DragIndex() const { return dragIndex_; }

    // Two-button selectors (SysVolRunBtn1/2, SysPanelBtn1/2, variant B SysLRBtn1/2): the
    // button's Hint is the value; the pair's Hints are reset to "0" and "1", the button of the
    // value is shown down, the other up, and the value is written to the pair's Tag.
    void SysMusInputLevelClick(BmpButton* button);

    // OnChange of SysInputBox, AUXGainBox and the routing boxes: writes the item index; for
    // SysInputBox also points the input volume at the input chosen.
    void SysInputBoxChange(ComboBox* box);

    // MusGain1Edit and its spin buttons: enabled unless the input is automatic (the view
    // hook of the write path and of the view rebuild).
    void SetMusicGainEnabled(bool enabled);

    // Lists the inputs 0 … DeviceTable (30, 20) in the UI language, keeping the item, and names
    // the input volume (InputLabel) of that item.
    void RelistInputs();
    // InputLabel: the input volume's name of a SysInputBox item in the UI language as caption,
    // in the other language as Hint.
    void NameInputVolume(int item);

    // Bluetooth name "确定": asks, then sends BlueNameEdit's text (at most 20 characters).
    void RzBmpButton5Click();

private:
    void ConnectControls();
    TrackBar* VolumeBar(int slot) const;
    // Moves a bar to value; true when it moved (its change handler has then run).
    static bool MoveBar(TrackBar* bar, int value);
    void PlaceMarkers(int triple);

    TForm1& form_;
    LinkContext& link_;
    LangMessages& messages_;
    Variant variant_;

    // The volume bars by slot of section 25.
    std::array<TrackBar*, 9> bars_{};
    // Markers and value labels by triple (0 mic, 1 music, 2 effect).
    std::array<MarkerImage*, 3> maxMarkers_{};
    std::array<MarkerImage*, 3> startMarkers_{};
    std::array<QWidget*, 3> valueLabels_{};

    bool dragInProgress_ = false;
    int dragIndex_ = -1;
    int dragLastX_ = 0;
    int dragLastY_ = 0;
};

} // namespace dsp
