// dspctl's commands against the in-process device, the core's ticks run on a simulated
// clock: the same link-up, write path and files as the window, in microseconds.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "TickSession.h"
#include "ctl/CtlRun.h"
#include "params/SectionMap.h"
#include "sim/DeviceModel.h"

using namespace dsp;
using namespace dsp::ctl;
using dsp::test::TickSession;

namespace {

namespace fs = std::filesystem;

// One dspctl run against a model; the session is kept for inspection.
struct CtlRun {
    explicit CtlRun(Variant variant = Variant::A) : model(variant) {}

    int Run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        sessions = 0;
        return RunCtl(
            args,
            [this](const CtlOptions& o) {
                ++sessions;
                auto s = std::make_shared<TickSession>(model, o.ProgramVariant, faults);
                s->SetReachable(reachable);
                session = s;
                return s;
            },
            out, err);
    }

    // Frames of a kind (read or write) the device received at an address.
    int Received(uint8_t mode, int section, int slot) const {
        int n = 0;
        for (const auto& f : model.Received())
            n += f.mode == mode && f.section == section && f.slot == slot;
        return n;
    }

    sim::DeviceModel model;
    bool reachable = true;
    sim::FaultConfig faults;
    std::ostringstream out;
    std::ostringstream err;
    int sessions = 0;
    std::shared_ptr<TickSession> session; // the session of the last run
};

class TempDir {
public:
    TempDir() : path_(fs::temp_directory_path() / ("dspctl_test_" + std::to_string(::getpid()))) {
        fs::create_directories(path_);
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string ReadAll(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

bool InFile(ParamFileKind kind, int section) {
    return kind == ParamFileKind::HiddenEq ? section >= 22 && section <= 24 : true;
}

} // namespace

TEST(CtlOptions, ParsesCommandsAndRejectsMisuse) {
    struct Case {
        std::vector<std::string> args;
        bool ok;
        std::string errorPart;
    };
    const Case cases[] = {
        {{"modes"}, true, ""},
        {{"--json", "get", "0x1901"}, true, ""},
        {{"get", "25:1", "--host", "127.0.0.1", "--port", "9000"}, true, ""},
        {{"set", "25:1", "-5"}, true, ""},
        {{"recall", "3", "--bank", "2"}, true, ""},
        {{"--serial", "/dev/ttyUSB0", "backup", "a.Nddt"}, true, ""},
        {{"--variant", "B", "restore", "a.Nddt"}, true, ""},
        {{}, false, "no command"},
        {{"launch"}, false, "unknown command"},
        {{"get"}, false, "usage: dspctl [options] get ADDR"},
        {{"get", "31:0"}, false, "not a parameter address"},
        {{"get", "0:165"}, false, "not a parameter address"},
        {{"get", "0x1FFF"}, false, "not a parameter address"},
        {{"set", "0x1901", "70000"}, false, "-32768 to 65535"},
        {{"recall", "17"}, false, "1 to 16"},
        {{"recall", "0"}, false, "1 to 16"},
        {{"modes", "--bank", "2"}, false, "--bank belongs to recall"},
        {{"--usb", "--serial", "/dev/ttyS0", "modes"}, false, "choose one link"},
        {{"--usb", "--host", "127.0.0.1", "modes"}, false, "choose one link"},
        {{"--port", "http", "modes"}, false, "--port needs a port number"},
        {{"--variant", "C", "modes"}, false, "--variant is A or B"},
        {{"--frobnicate", "modes"}, false, "unknown option"},
        {{"modes", "--host"}, false, "--host needs a value"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto o = ParseCtlArguments(c.args, error);
        EXPECT_EQ(o.has_value(), c.ok) << c.args.size() << " " << error;
        if (!c.ok) {
            EXPECT_NE(error.find(c.errorPart), std::string::npos) << error;
        }
    }

    std::string error;
    const auto o = ParseCtlArguments({"set", "25:1", "-5", "--variant=B"}, error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Cmd, Command::Set);
    EXPECT_EQ(o->ParamAddress, 0x1901);
    EXPECT_EQ(o->Value, -5);
    EXPECT_EQ(o->ProgramVariant, Variant::B);
    EXPECT_EQ(o->Target.Host.toStdString(), "127.0.0.1");
    EXPECT_EQ(o->Target.Port.toStdString(), "8899");
    EXPECT_EQ(ParseAddressArg("0x1901"), ParseAddressArg("25:1"));
    EXPECT_EQ(ParseAddressArg("6401"), 0x1901);
}

TEST(CtlRun, UsageErrorsAndHelpOpenNoLink) {
    CtlRun r;
    EXPECT_EQ(r.Run({"--help"}), kExitDone);
    for (const char* word :
         {"backup FILE", "restore FILE", "modes", "recall N [--bank 2]", "get ADDR",
          "set ADDR VALUE", "--json", "--serial", "--usb", "Exit codes"})
        EXPECT_NE(r.out.str().find(word), std::string::npos) << word;
    EXPECT_EQ(r.Run({"get", "nowhere"}), kExitUsage);
    EXPECT_NE(r.err.str().find("dspctl --help"), std::string::npos);
    EXPECT_EQ(r.Run({"backup", "/no/such/folder/x.Nddt"}), kExitUsage);
    EXPECT_EQ(r.sessions, 0);
}

TEST(CtlBackup, WritesTheToolsFileOfEitherKindAndSaysGoodbye) {
    TempDir dir;
    for (const auto kind : {ParamFileKind::WholeDevice, ParamFileKind::HiddenEq}) {
        CtlRun r;
        r.model.Table().At(SecMic2, 100) = 513;
        r.model.Table().At(SecHint + 1, 7) = 40000;
        const std::string path = dir.File(std::string("b") + ParamFileExtension(kind));
        ASSERT_EQ(r.Run({"backup", path}), kExitDone) << r.err.str();

        // Byte for byte the file the tool writes from the table the link-up loaded.
        EXPECT_EQ(ReadAll(path), ParamFileText(kind, r.session->Ctx().Store.DeviceTable));
        std::vector<std::pair<int32_t, int32_t>> lines;
        ParamTable decoded;
        ASSERT_TRUE(ReadParamText(kind, ReadAll(path), decoded, Variant::A, &lines).ok());
        int compared = 0;
        for (const auto& [address, value] : lines) {
            const int s = SectionOf(address), t = SlotOf(address);
            ASSERT_TRUE(InFile(kind, s));
            if (s <= SecSysVol && t < SlotCount[s]) {
                EXPECT_EQ(value, r.model.Table().At(s, t)) << s << ":" << t;
                ++compared;
            }
        }
        EXPECT_GT(compared, 0);
        // A full load of variant A, then the goodbye.
        EXPECT_EQ(r.Received(sim::kModeRead, SecSystem, 0x17), 1);
        EXPECT_FALSE(r.model.SessionOpen());
        EXPECT_LT(r.session->NowMs(), 20000);
    }
}

TEST(CtlRestore, DownloadsTheFileAsTheToolsLoadAppliesIt) {
    struct Case {
        Variant variant;
        ParamFileKind kind;
        int firstSection, lastSection; // sections written by the download
    };
    const Case cases[] = {
        {Variant::A, ParamFileKind::WholeDevice, 0, 25},
        {Variant::B, ParamFileKind::WholeDevice, 0, 25},
        {Variant::A, ParamFileKind::HiddenEq, 22, 24},
    };
    TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(int(c.variant) * 10 + int(c.kind));
        // The file: the factory set with changes in an applied and an ignored section each.
        sim::DeviceModel source(c.variant);
        ParamTable wanted = source.Table();
        wanted.At(SecEcho, 3) = 1234;
        wanted.At(SecHint, 10) = 77;
        wanted.At(SecSysVol, 1) = 9;  // ignored by both kinds
        wanted.At(SecSystem, 23) = 5; // applied by variant A's whole-device load only
        const std::string path = dir.File(std::string("r") + ParamFileExtension(c.kind));
        WriteAll(path, ParamFileText(c.kind, wanted));

        CtlRun r(c.variant);
        const ParamTable before = r.model.Table();
        const char* variant = c.variant == Variant::A ? "A" : "B";
        ASSERT_EQ(r.Run({"--variant", variant, "restore", path}), kExitDone) << r.err.str();

        const bool whole = c.kind == ParamFileKind::WholeDevice;
        ParamTable expected = before;
        for (int s = 0; s < kSectionCount; ++s) {
            const bool applied = whole ? s < 22 : (s >= 22 && s <= 24);
            for (int t = 0; applied && t < SlotCount[s]; ++t)
                expected.At(s, t) = wanted.At(s, t);
        }
        if (whole && c.variant == Variant::A) {
            expected.At(SecSystem, 23) = wanted.At(SecSystem, 23);
            expected.At(SecSystem, 24) = wanted.At(SecSystem, 24);
        }
        for (int s = 0; s <= SecSysVol; ++s) {
            for (int t = 0; t < SlotCount[s]; ++t)
                ASSERT_EQ(r.model.Table().At(s, t), expected.At(s, t)) << s << ":" << t;
        }
        EXPECT_EQ(r.model.Table().At(SecSystem, 23), expected.At(SecSystem, 23));

        // Bulk writes of the download's sections, in order, once each.
        std::vector<int> written;
        for (const auto& f : r.model.Received()) {
            if (f.section == SecSystem && f.slot == 0x0F && !f.data.empty())
                written.push_back(f.data[0]);
        }
        std::vector<int> sections;
        for (int s = c.firstSection; s <= c.lastSection; ++s)
            sections.push_back(s);
        EXPECT_EQ(written, sections);
        // Variant A sends 0x1E17 and 0x1E18 after a download; the goodbye ends it.
        const int followUps = c.variant == Variant::A ? 1 : 0;
        EXPECT_EQ(r.Received(sim::kModeWrite, SecSystem, 0x17), followUps);
        EXPECT_EQ(r.Received(sim::kModeWrite, SecSystem, 0x18), followUps);
        EXPECT_FALSE(r.model.SessionOpen());
    }
}

TEST(CtlRestore, ABadFileSendsNothing) {
    TempDir dir;
    sim::DeviceModel source;
    const std::string good = ParamFileText(ParamFileKind::WholeDevice, source.Table());
    const auto lines = [&] {
        std::vector<std::string> l;
        std::istringstream in(good);
        for (std::string line; std::getline(in, line);)
            l.push_back(line);
        return l;
    }();
    auto join = [](const std::vector<std::string>& l) {
        std::string t;
        for (const auto& x : l)
            t += x + "\n";
        return t;
    };
    std::vector<std::string> shortFile(lines.begin(), lines.end() - 3);
    shortFile.push_back(lines[lines.size() - 2]);
    shortFile.push_back(lines.back());
    std::vector<std::string> wrongSum = lines;
    wrongSum[5] = ScrambleLine("5 99999") + "\r"; // a changed value, checksum left as it was
    std::vector<std::string> badHeader = lines;
    badHeader[1] = ScrambleLine("Velmo 84") + "\r"; // the EQ file's version number

    struct Case {
        const char* name;
        std::string text; // empty: no file at all
        std::string message;
    };
    const Case cases[] = {
        {"missing.Nddt", "", "File not find!"},
        {"header.Nddt", join(badHeader), "File format error!"},
        {"count.Nddt", join(shortFile), "Data file is corrupted!"},
        {"checksum.Nddt", join(wrongSum), "Data file is corrupted!"},
        {"number.Nddt", good.substr(0, 40) + "ZZ" + good.substr(42), "is not a valid integer"},
        {"eqkind.EQdt", good, "File format error!"},
    };
    for (const Case& c : cases) {
        const std::string path = dir.File(c.name);
        if (!c.text.empty())
            WriteAll(path, c.text);
        CtlRun r;
        EXPECT_EQ(r.Run({"restore", path}), kExitUsage) << c.name;
        EXPECT_NE(r.err.str().find(c.message), std::string::npos) << c.name << r.err.str();
        EXPECT_EQ(r.sessions, 0) << c.name; // no link was opened
        EXPECT_TRUE(r.model.Received().empty());
    }
}

TEST(CtlModes, ListsBothBanksWithTheCurrentModeMarked) {
    CtlRun r;
    r.model.Mode(sim::kBankMain, 2).name = "KTV \"Night\"";
    r.model.Table().At(SecSystem, 2) = 2;
    r.model.Table().At(SecSystem, 34) = 0;
    ASSERT_EQ(r.Run({"modes"}), kExitDone) << r.err.str();
    const std::string text = r.out.str();
    EXPECT_NE(text.find("*  3-KTV \"Night\""), std::string::npos) << text;
    EXPECT_NE(text.find("Bank 2"), std::string::npos);

    ASSERT_EQ(r.Run({"--json", "modes"}), kExitDone);
    QJsonParseError error{};
    const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out.str()), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << r.out.str();
    const QJsonArray banks = doc.object()["banks"].toArray();
    ASSERT_EQ(banks.size(), 2);
    EXPECT_EQ(banks[0].toObject()["current"].toInt(), 3);
    EXPECT_EQ(banks[1].toObject()["current"].toInt(), 1);
    const QJsonArray modes = banks[0].toObject()["modes"].toArray();
    ASSERT_EQ(modes.size(), 16);
    EXPECT_EQ(modes[2].toObject()["name"].toString().toStdString(), "KTV \"Night\"");
    for (int bank : {0, 1}) {
        const auto list = banks[bank].toObject()["modes"].toArray();
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(list[i].toObject()["name"].toString().toStdString(),
                      r.model.Mode(bank, i).name);
    }
}

TEST(CtlRecall, RecallsAModeAndWaitsForTheReload) {
    struct Case {
        int bank, number;
        int reloadedSection; // a section the reload brings back
    };
    for (const Case c : {Case{1, 4, SecEcho}, Case{2, 3, SecHint}}) {
        CtlRun r;
        const int bankIndex = c.bank == 1 ? sim::kBankMain : sim::kBankHidden;
        r.model.Mode(bankIndex, c.number - 1).params.At(c.reloadedSection, 3) = 321;
        std::vector<std::string> args = {"recall", std::to_string(c.number)};
        if (c.bank == 2)
            args.insert(args.end(), {"--bank", "2"});
        ASSERT_EQ(r.Run(args), kExitDone) << r.err.str();
        EXPECT_EQ(r.model.CurrentMode(bankIndex), c.number - 1);
        // The reload brought the recalled set into the tool's table.
        EXPECT_EQ(r.session->Ctx().Store.DeviceTable.At(c.reloadedSection, 3), 321);
        EXPECT_NE(r.out.str().find("mode " + std::to_string(c.number) + "-"), std::string::npos);
        EXPECT_FALSE(r.model.SessionOpen());
    }
}

TEST(CtlParams, GetAndSetOneParameterByDeviceAddress) {
    CtlRun r;
    r.model.Table().At(25, 1) = 42;
    ASSERT_EQ(r.Run({"get", "25:1"}), kExitDone) << r.err.str();
    EXPECT_EQ(r.out.str(), "0x1901 (25:1) = 42\n");
    ASSERT_EQ(r.Run({"--json", "get", "0x1901"}), kExitDone);
    const auto doc = QJsonDocument::fromJson(QByteArray::fromStdString(r.out.str()));
    EXPECT_EQ(doc.object()["value"].toInt(), 42);
    EXPECT_EQ(doc.object()["address"].toString(), "0x1901");
    // Never read by a load: nothing stale is printed.
    for (const char* unread : {"27:0", "0x1E30", "30:24"})
        EXPECT_EQ(r.Run({"get", unread}), kExitUsage) << unread;
    EXPECT_EQ(r.Run({"--variant", "B", "get", "30:23"}), kExitUsage);
    r.model.Table().At(SecSystem, 0x17) = 5;
    ASSERT_EQ(r.Run({"get", "30:23"}), kExitDone);
    EXPECT_EQ(r.out.str(), "0x1E17 (30:23) = 5\n");

    // Shared pages: the write path's address map must land on the address given.
    struct Case {
        Address address;
        int value;
    };
    const Case cases[] = {
        {MakeAddress(SecMic2, 5), 17},   // microphone page, second microphone
        {MakeAddress(8, 16), 300},       // right output delay of the disco set (variant A)
        {MakeAddress(7, 17), 1},         // right output mute of the sing set
        {MakeAddress(11, 20), 65535},    // an output of its own
        {MakeAddress(23, 40), 12},       // hidden-page EQ section
        {MakeAddress(SecSystem, 23), 4}, // a system item
        {MakeAddress(SecMusic, 3), 9},   // music gain slot, written directly
    };
    for (const Case& c : cases) {
        const int before = r.model.Table()[c.address];
        ASSERT_NE(before, c.value);
        ASSERT_EQ(r.Run({"set", std::to_string(c.address), std::to_string(c.value)}), kExitDone)
            << c.address << r.err.str();
        EXPECT_EQ(r.model.Table()[c.address], c.value) << c.address;
        EXPECT_EQ(r.Received(sim::kModeWrite, SectionOf(c.address), SlotOf(c.address)), 1)
            << c.address;
        r.model.ClearReceived();
    }

    // Variant B keeps an output's delay and mute on the output shown.
    CtlRun b(Variant::B);
    ASSERT_EQ(b.Run({"--variant", "B", "set", "8:16", "250"}), kExitDone) << b.err.str();
    EXPECT_EQ(b.model.Table().At(8, 16), 250);
    EXPECT_EQ(b.Received(sim::kModeWrite, 8, 16), 1);
}

TEST(CtlLink, AnUnreachableDeviceFailsWithinTheSearchTimeOuts) {
    CtlRun r;
    r.reachable = false;
    EXPECT_EQ(r.Run({"modes"}), kExitLinkFailed);
    EXPECT_NE(r.err.str().find("failed"), std::string::npos) << r.err.str();
    EXPECT_LE(r.session->NowMs(), 4000); // three search ticks
    EXPECT_TRUE(r.model.Received().empty());
}

TEST(CtlLink, ADeviceThatFallsSilentFailsTheCommand) {
    // The device stops answering during the load, in its first steps or later: the step
    // machine's time-outs end the link (in steps 0 and 1 after repeating the request).
    // Either way: exit 1, no hang.
    struct Case {
        int silentAfter;
        const char* reason;
    };
    for (const Case c :
         {Case{20, "failed during the link-up"}, Case{3, "failed during the link-up"}}) {
        CtlRun r;
        r.faults.silentAfter = c.silentAfter;
        EXPECT_EQ(r.Run({"modes"}), kExitLinkFailed);
        EXPECT_NE(r.err.str().find(c.reason), std::string::npos) << r.err.str();
        EXPECT_TRUE(r.out.str().empty());
    }
}
