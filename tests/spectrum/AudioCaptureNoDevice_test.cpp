// Capture without any audio input: the server the process is pointed at does not exist.

#include <QSignalSpy>
#include <QTest>

#include <string>
#include <vector>

#include "spectrum/AudioCapture.h"
#include "spectrum/SpectrumView.h"
#include "spectrum/SpectrumViewCapture.h"

namespace dsp {

class AudioCaptureNoDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        // An explicit server address that leads nowhere; with it no server is started on demand.
        qputenv("PULSE_SERVER", "unix:/nonexistent/dsp-no-audio/native");
    }

    void startFailsAndReportsNoAudio() {
        AudioCapture capture;
        QSignalSpy blocks(&capture, &AudioCapture::BlockReady);
        QVERIFY(!capture.Start());
        QVERIFY(!capture.AudioAvailable());
        QTest::qWait(100);
        QCOMPARE(blocks.count(), 0);
    }

    void everySpectrumPressSaysNoDevice() {
        AudioCapture capture;
        std::vector<std::string> english;
        std::vector<std::string> chinese;
        SpectrumViewHooks hooks;
        hooks.ShowMessage = [&](std::string_view zh, std::string_view en) {
            chinese.emplace_back(zh);
            english.emplace_back(en);
        };
        SpectrumView view({}, hooks);
        QVERIFY(!StartSpectrumCapture(capture, view));
        QVERIFY(!view.AudioAvailable());
        QCOMPARE(view.PinPPBtnClick(1), 0);
        QCOMPARE(view.PinPPBtnClick(1), 0);
        QVERIFY(!view.SpectrumOn());
        QCOMPARE(chinese, (std::vector<std::string>(2, "没检测到音频设备")));
        QCOMPARE(english, (std::vector<std::string>(2, "Audio device is not detected")));
    }
};

} // namespace dsp

QTEST_MAIN(dsp::AudioCaptureNoDeviceTest)
#include "AudioCaptureNoDevice_test.moc"
