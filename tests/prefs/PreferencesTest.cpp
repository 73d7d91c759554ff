#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "platform/core/Exceptions.h"
#include "prefs/Preferences.h"
#include "tests/prefs/PrefsFixture.h"

namespace {

namespace fs = std::filesystem;
using Preferences::PrefsClass;
using Preferences::Value;

class PrefsStore : public PrefsFixture {};

TEST_F(PrefsStore, AMissingMemberRaisesAnErrorThatNamesIt)
{
    PrefsClass store(AppName());
    try {
        store.Get("WinLeft");
        FAIL() << "no exception";
    } catch (const platform::RuntimeException& e) {
        EXPECT_NE(dynamic_cast<const Preferences::PreferenceNotFoundException*>(&e), nullptr);
        EXPECT_STREQ(e.what(), "Preference value 'WinLeft' does not exist.");
    }
}

// What Load makes of the file. A store that fails to load keeps the object
// it held; one that loads holds exactly the file's object.
struct LoadCase {
    const char* name;
    std::optional<std::string> file; // nothing: no file
    bool loaded;
    const char* object; // the store's object afterwards, as JSON
};

const LoadCase kLoadCases[] = {
    {"NoFile", std::nullopt, false, R"({"Held": 1})"},
    {"TextThatIsNotJson", "WinLeft=10", false, R"({"Held": 1})"},
    {"JsonThatIsNotAnObject", "[10, 50]", false, R"({"Held": 1})"},
    {"AnObjectWithExtraMembers", R"({"WinLeft": -1200, "WinTop": 300, "Theme": {"Dark": true}})", true,
     R"({"WinLeft": -1200, "WinTop": 300, "Theme": {"Dark": true}})"},
    {"IntegersBeyondDoublePrecisionStayExact", R"({"WinLeft": 9007199254740993})", true,
     R"({"WinLeft": 9007199254740993})"},
    // Deep enough to overflow the stack wherever values are handled by recursion.
    {"NestingFarTooDeep", R"({"WinLeft": )" + std::string(200000, '[') + std::string(200000, ']') + "}", false,
     R"({"Held": 1})"},
    {"NestingThatAFileMayHold", R"({"A": [[[[1]]]]})", true, R"({"A": [[[[1]]]]})"},
};

class PrefsLoad : public PrefsFixture, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(PrefsLoad, ReadsTheFileOrKeepsTheObject)
{
    const LoadCase& c = GetParam();
    if (c.file) WritePrefs(*c.file);
    PrefsClass store(AppName());
    store.Set("Held", 1);

    EXPECT_EQ(store.Load(), c.loaded);
    EXPECT_TRUE(fs::is_directory(FolderPath()));
    const Value expected = Value::parse(c.object);
    for (const auto& [name, value] : expected.items()) EXPECT_EQ(store.Get(name), value) << name;
    if (c.loaded) {
        EXPECT_THROW(store.Get("Held"), Preferences::PreferenceNotFoundException);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, PrefsLoad, ::testing::ValuesIn(kLoadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrefsStore, LoadCreatesTheDataFolderTooWhenItIsMissing)
{
    const std::string dataHome = m_data.Path("fresh/account/share");
    ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
    PrefsClass store(AppName());
    EXPECT_FALSE(store.Load());
    store.Set("WinLeft", 10);
    EXPECT_TRUE(store.Save());
    EXPECT_TRUE(fs::is_regular_file(dataHome + "/" + AppName() + "/" + AppName() + ".pref"));
}

TEST_F(PrefsStore, SaveFailsWithoutAFileOrWhenTheFileCannotBeWritten)
{
    PrefsClass store(AppName());
    store.Set("WinLeft", 10);
    EXPECT_FALSE(store.Save());
    EXPECT_FALSE(fs::exists(FilePath()));

    PutFolderInPlaceOfFile();
    EXPECT_THROW(store.Load(), platform::IOException) << "a file that cannot be read is not taken for a missing one";
    EXPECT_FALSE(store.Save());
    EXPECT_TRUE(fs::is_directory(FilePath()));
}

// A store that counts the calls that reach its Get and Set.
class CountingStore : public PrefsClass {
public:
    using PrefsClass::PrefsClass;
    Value Get(const std::string& name) const override
    {
        ++gets;
        return PrefsClass::Get(name);
    }
    void Set(const std::string& name, Value value) override
    {
        ++sets;
        PrefsClass::Set(name, std::move(value));
    }
    mutable int gets = 0;
    int sets = 0;
};

TEST_F(PrefsStore, MemberStyleAccessGoesThroughGetAndSet)
{
    CountingStore store(AppName());
    store["WinTop"] = 50;
    const Value read = store["WinTop"];
    EXPECT_EQ(read, 50);
    EXPECT_EQ(store.sets, 1);
    EXPECT_EQ(store.gets, 1);
    EXPECT_THROW(static_cast<void>(static_cast<Value>(store["Missing"])), Preferences::PreferenceNotFoundException);
}

// Option and Command together, and only together, delete the file before it
// is read.
struct KeysCase {
    const char* name;
    bool option;
    bool command;
    bool fileDeleted;
};

const KeysCase kKeysCases[] = {
    {"NoKey", false, false, false},
    {"OptionAlone", true, false, false},
    {"CommandAlone", false, true, false},
    {"OptionAndCommand", true, true, true},
};

class PrefsRaed : public PrefsFixture, public ::testing::WithParamInterface<KeysCase> {};

TEST_P(PrefsRaed, DeletesTheFileOnlyWhenOptionAndCommandAreHeld)
{
    const KeysCase& c = GetParam();
    WritePrefs(R"({"WinLeft": 300, "WinTop": 200, "Theme": "dark"})");
    HoldKeys(c.option, c.command);

    Preferences::Raed();

    ASSERT_NE(Preferences::Prefs, nullptr);
    EXPECT_EQ(fs::exists(FilePath()), !c.fileDeleted);
    EXPECT_TRUE(fs::is_directory(FolderPath()));
    EXPECT_EQ(Preferences::Prefs->Get("WinLeft"), c.fileDeleted ? 10 : 300);
    EXPECT_EQ(Preferences::Prefs->Get("WinTop"), c.fileDeleted ? 50 : 200);
}

INSTANTIATE_TEST_SUITE_P(Cases, PrefsRaed, ::testing::ValuesIn(kKeysCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
