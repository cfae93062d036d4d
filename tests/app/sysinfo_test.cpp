// Finding the system-information program: GetKeyValue and StartSysInfo on a
// fake registry, and the about box's button on a fake system.
#include "app/frmabout.h"
#include "app/sysinfo.h"
#include "tests/app/shelltestutil.h"
#include "tests/support/programtest.h"

#include <QApplication>
#include <QPushButton>
#include <cstring>
#include <map>
#include <optional>
#include <set>

namespace vt::test {
namespace {

using namespace vt::sysinfo;

const QString kInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

struct Value {
    std::uint32_t type;
    QByteArray bytes;
};

// A registry of keys under HKEY_LOCAL_MACHINE that counts opens and closes.
class FakeRegistry final : public Registry {
public:
    std::map<QString, std::map<QString, Value>> keys;
    std::vector<QString> opened; // every open request, in order
    std::vector<std::uint32_t> accessMasks;
    std::set<KeyHandle> openHandles;
    int closes = 0;
    int badCloses = 0;

    Status openKey(KeyHandle root, const QByteArray& subKey, std::uint32_t access,
                   KeyHandle* key) override {
        opened.push_back(QString::fromLocal8Bit(subKey));
        accessMasks.push_back(access);
        auto it = keys.find(QString::fromLocal8Bit(subKey));
        if (root != kLocalMachine || it == keys.end())
            return kFileNotFound;
        *key = nextHandle_++;
        handles_[*key] = &it->second;
        openHandles.insert(*key);
        return kSuccess;
    }
    Status queryValue(KeyHandle key, const QByteArray& name, std::uint32_t* type, char* data,
                      std::uint32_t* size) override {
        auto values = handles_.find(key);
        if (values == handles_.end() || !openHandles.count(key))
            return 6; // invalid handle
        auto it = values->second->find(QString::fromLocal8Bit(name));
        if (it == values->second->end())
            return kFileNotFound;
        if (static_cast<std::uint32_t>(it->second.bytes.size()) > *size)
            return 234; // more data than the buffer holds
        std::memcpy(data, it->second.bytes.constData(), std::size_t(it->second.bytes.size()));
        *size = static_cast<std::uint32_t>(it->second.bytes.size());
        *type = it->second.type;
        return kSuccess;
    }
    Status closeKey(KeyHandle key) override {
        ++closes;
        if (!openHandles.erase(key))
            ++badCloses;
        return kSuccess;
    }

private:
    KeyHandle nextHandle_ = 100;
    std::map<KeyHandle, std::map<QString, Value>*> handles_;
};

class FakeSystem final : public System {
public:
    FakeRegistry fake;
    std::set<QString> files;
    bool startSucceeds = true;
    std::vector<QString> started;

    Registry& registry() override { return fake; }
    bool fileExists(const QString& path) override { return files.count(path) > 0; }
    bool startDetached(const QString& program) override {
        started.push_back(program);
        return startSucceeds && !program.isEmpty();
    }
};

Value Text(const QByteArray& text) {
    return {kRegSz, text + QByteArray(1, '\0')};
}

struct GetCase {
    const char* name;
    std::optional<std::map<QString, Value>> key; // absent: the key does not exist
    QString passedIn;
    bool found;
    QString text;
    friend void PrintTo(const GetCase& c, std::ostream* os) { *os << c.name; }
};

class GetKeyValueTest : public ::testing::TestWithParam<GetCase> {};

TEST_P(GetKeyValueTest, ReadsOneValueAndClosesTheKey) {
    const auto& c = GetParam();
    FakeRegistry registry;
    if (c.key)
        registry.keys[kInfoKey] = *c.key;
    QString value = c.passedIn;
    EXPECT_EQ(GetKeyValue(registry, kLocalMachine, kInfoKey, QStringLiteral("PATH"), value),
              c.found);
    EXPECT_EQ(value, c.text);
    ASSERT_EQ(registry.accessMasks.size(), 1u);
    EXPECT_EQ(registry.accessMasks[0], 0x2003Fu);
    EXPECT_TRUE(registry.openHandles.empty()) << "a key was left open";
    EXPECT_EQ(registry.badCloses, 0);
    EXPECT_EQ(registry.closes, c.key ? 1 : 0);
}

const QByteArray kFull(1024, 'x');

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        GetCase{"NoKey", std::nullopt, "left over", false, ""},
        GetCase{"NoValue", std::map<QString, Value>{{"OTHER", Text("x")}}, "left over", false, ""},
        GetCase{"Text", std::map<QString, Value>{{"PATH", Text("C:\\Tools\\info.exe")}}, "", true,
                "C:\\Tools\\info.exe"},
        GetCase{"CutAtTheFirstNul",
                std::map<QString, Value>{{"PATH", {kRegSz, QByteArray("abc\0def\0", 8)}}}, "", true,
                "abc"},
        GetCase{"EmptyText", std::map<QString, Value>{{"PATH", Text("")}}, "x", true, ""},
        GetCase{"NumberKeepsWhatWasPassedIn",
                std::map<QString, Value>{{"PATH", {kRegDword, QByteArray("\x01\0\0\0", 4)}}},
                "as passed", true, "as passed"},
        GetCase{"FillsTheWholeBuffer", std::map<QString, Value>{{"PATH", {kRegSz, kFull}}}, "",
                true, QString::fromLatin1(kFull)},
        GetCase{"TooLongForTheBuffer",
                std::map<QString, Value>{{"PATH", {kRegSz, kFull + QByteArray(1, 'y')}}}, "x",
                false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct StartCase {
    const char* name;
    std::map<QString, std::map<QString, Value>> keys;
    std::set<QString> files;
    bool startSucceeds;
    QString startedProgram; // empty: nothing may be started successfully
    bool message;
    int opens;
    friend void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
};

class StartSysInfoTest : public ProgramTest, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartSysInfoTest, FindsTheProgramOrSaysItIsUnavailable) {
    const auto& c = GetParam();
    FakeSystem system;
    system.fake.keys = c.keys;
    system.files = c.files;
    system.startSucceeds = c.startSucceeds;
    StartSysInfo(system);

    if (c.message) {
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.last(),
                  (RecordedMessage{"System Information Is Unavailable At This Time",
                                   "Vandrel Tessaron"}));
    } else {
        EXPECT_TRUE(messages.shown.empty());
    }
    if (c.startedProgram.isEmpty()) {
        for (const QString& program : system.started)
            EXPECT_FALSE(c.startSucceeds && !program.isEmpty()) << program.toStdString();
    } else {
        ASSERT_FALSE(system.started.empty());
        EXPECT_EQ(system.started.back(), c.startedProgram);
    }
    EXPECT_EQ(int(system.fake.opened.size()), c.opens);
    EXPECT_TRUE(system.fake.openHandles.empty()) << "a key was left open";
    EXPECT_EQ(system.fake.badCloses, 0);
}

const QString kLocationDir = QStringLiteral("C:\\Program Files\\Common Files\\Info");
const QString kLocationProgram = kLocationDir + QStringLiteral("\\MSINFO32.EXE");

INSTANTIATE_TEST_SUITE_P(
    Roads, StartSysInfoTest,
    ::testing::Values(StartCase{"PathWinsOverTheSecondKey",
                                {{kInfoKey, {{"PATH", Text("C:\\info.exe")}}},
                                 {kLocationKey, {{"MSINFO", Text(kLocationDir.toLatin1())}}}},
                                {kLocationProgram},
                                true,
                                "C:\\info.exe",
                                false,
                                1},
                      StartCase{"SecondKeyWithTheProgram",
                                {{kLocationKey, {{"MSINFO", Text(kLocationDir.toLatin1())}}}},
                                {kLocationProgram},
                                true,
                                kLocationProgram,
                                false,
                                2},
                      StartCase{"SecondKeyWithoutTheProgram",
                                {{kLocationKey, {{"MSINFO", Text(kLocationDir.toLatin1())}}}},
                                {},
                                true,
                                "",
                                true,
                                2},
                      StartCase{"SecondKeyWithoutItsValue",
                                {{kLocationKey, {{"OTHER", Text("x")}}}},
                                {"\\MSINFO32.EXE"},
                                true,
                                "",
                                true,
                                2},
                      StartCase{"NeitherKey", {}, {}, true, "", true, 2},
                      StartCase{"PathThatIsNotTextStopsTheSearch",
                                {{kInfoKey, {{"PATH", {kRegDword, QByteArray("\x01\0\0\0", 4)}}}},
                                 {kLocationKey, {{"MSINFO", Text(kLocationDir.toLatin1())}}}},
                                {kLocationProgram},
                                true,
                                "",
                                true,
                                1},
                      StartCase{"TheStartFails",
                                {{kInfoKey, {{"PATH", Text("C:\\info.exe")}}}},
                                {},
                                false,
                                "",
                                true,
                                1}),
    [](const auto& info) { return std::string(info.param.name); });

class SysInfoTest : public ProgramTest {};

TEST_F(SysInfoTest, ThisPlatformHasNoRegistrySoTheMessageShows) {
    StartSysInfo(RealSystem());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.last().text, "System Information Is Unavailable At This Time");
}

TEST_F(SysInfoTest, TheAboutBoxButtonStartsTheProgramAndStaysOpen) {
    FakeSystem system;
    system.fake.keys[kInfoKey]["PATH"] = Text("C:\\info.exe");
    QWidget* about = ShowAndExpose(QStringLiteral("frmAbout"));
    ASSERT_NE(about, nullptr);
    auto* box = dynamic_cast<frmAbout*>(about);
    ASSERT_NE(box, nullptr);
    box->setSystem(&system);
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    EXPECT_EQ(system.started, std::vector<QString>{"C:\\info.exe"});
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Windows().existing(QStringLiteral("frmAbout")), about);
    EXPECT_TRUE(about->isVisible());
}

TEST_F(SysInfoTest, TheAboutBoxButtonReportsAMissingProgramAndStaysOpen) {
    FakeSystem system;
    QWidget* about = ShowAndExpose(QStringLiteral("frmAbout"));
    dynamic_cast<frmAbout*>(about)->setSystem(&system);
    QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(about->isVisible());
}

} // namespace
} // namespace vt::test

namespace vt::test {
namespace {

// With the focus on "&System Info...", Enter presses that button: the program
// starts and the box stays open; Enter closes the box only from "OK".
TEST_F(SysInfoTest, EnterOnTheFocusedSystemInfoButtonStartsTheProgram) {
    FakeSystem system;
    system.fake.keys[kInfoKey]["PATH"] = Text("C:\\info.exe");
    QWidget* about = ShowAndExpose(QStringLiteral("frmAbout"));
    ASSERT_NE(about, nullptr);
    dynamic_cast<frmAbout*>(about)->setSystem(&system);
    auto* button = about->findChild<QPushButton*>(QStringLiteral("cmdSysInfo"));
    ASSERT_NE(button, nullptr);
    QApplication::setActiveWindow(about);
    button->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), button);
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(system.started, std::vector<QString>{"C:\\info.exe"});
    EXPECT_EQ(Windows().existing(QStringLiteral("frmAbout")), about);
    EXPECT_TRUE(about->isVisible());
}

} // namespace
} // namespace vt::test
