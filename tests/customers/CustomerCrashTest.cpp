// A rebuild of the customer table stopped at any of its steps (a child process killed there),
// then the next start and the next rebuild: every record and memo is still there. Also the
// states that earlier versions left, states that cannot be decided (nothing is touched), a
// table kept as links, and the check before a rebuild.
#include "customers/CustomerFiles.h"
#include "customers/CustomerRecovery.h"
#include "customers/CustomerTable.h"
#include "customers/CustomerTestTables.h"
#include "dbase/DbfPairTag.h"
#include "foundation/Utf8.h"
#include "support/ScriptedMessenger.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::vector<std::u16string> kFirmen = {u"Eins", u"Zwei", u"Drei", u"Vier"};

std::vector<std::u16string> Memos()
{
    std::u16string longMemo;
    for (int i = 0; i < 60; ++i)
        longMemo += u"Zeile " + std::u16string(1, char16_t(u'a' + i % 26)) + u" mit Ümläuten\r\n";
    return {u"Memo eins\r\nzweite Zeile", u"", longMemo, u"Memo vier"};
}

// A table of 14 columns as older versions made it: the start appends "Kostenst" by a
// rebuild. A fifth record is deleted and must not come back.
void FillOldTable(const std::string& path)
{
    std::vector<DbfField> fields = CustomerSchema::StandardFields();
    fields.pop_back();
    std::vector<std::vector<std::pair<std::u16string, std::u16string>>> rows;
    for (size_t i = 0; i < kFirmen.size(); ++i)
        rows.push_back({{u"Firma", kFirmen[i]}, {u"Mehr", Memos()[i]}, {u"Ort", u"Ort " + kFirmen[i]}});
    rows.push_back({{u"Firma", u"Gelöscht"}, {u"Mehr", u"weg"}});
    FillCustomers(path, fields, rows);
    DbfTable table;
    table.Open(path);
    table.Last();
    table.Delete();
}

void ExpectEveryCustomer(DbfTable& table)
{
    EXPECT_EQ(Column(table, u"Firma"), kFirmen);
    EXPECT_EQ(Column(table, u"Mehr"), Memos());
    EXPECT_EQ(Column(table, u"Ort"), (std::vector<std::u16string>{u"Ort Eins", u"Ort Zwei", u"Ort Drei", u"Ort Vier"}));
}

// Names and bytes of every file in a folder (links as their target's name).
std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name == ".rekolon.lock")
            continue;
        files[name] =
            entry.is_symlink() ? "-> " + fs::read_symlink(entry.path()).string() : ReadWholeFile(entry.path().string());
    }
    return files;
}

// Runs work in a child process that is killed (SIGKILL) when its observer sees the step of
// number stopAt (from 0). Returns true when it was killed there, false when work ended
// before that step.
bool KilledAtStep(int stopAt, const std::function<void(const CustomerTable::StepObserver&)>& work)
{
    const pid_t pid = fork();
    if (pid == 0) {
        int seen = 0;
        work([&seen, stopAt](std::string_view) {
            if (seen++ == stopAt)
                raise(SIGKILL);
        });
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// The start-up of the program on the folder, in a child: the recovery and then "Kostenst"
// appended by a rebuild.
void StartInChild(const std::string& folder, const CustomerTable::StepObserver& observer)
{
    ScriptedMessenger quiet;
    CustomerTable customers;
    customers.SetStepObserver(observer);
    customers.InitDataBase(folder);
}

std::vector<std::string> StepsOfAStart(const std::string& folder)
{
    std::vector<std::string> steps;
    ScriptedMessenger quiet;
    CustomerTable customers;
    customers.SetStepObserver([&steps](std::string_view step) { steps.emplace_back(step); });
    customers.InitDataBase(folder);
    return steps;
}

// The folder where the tables of the data folder lie: the data folder itself, or with
// links, a folder beside it.
struct Layout {
    bool links;
    std::string Where(const TempDir& dir) const { return links ? dir.File("ziel/") : dir.Path(); }
    void Make(const TempDir& dir) const
    {
        if (!links) {
            FillOldTable(dir.File("customers.dbf"));
            return;
        }
        fs::create_directories(dir.File("ziel"));
        FillOldTable(dir.File("ziel/kunden.dbf"));
        fs::create_symlink("ziel/kunden.dbf", dir.File("customers.dbf"));
        fs::create_symlink("ziel/kunden.dbt", dir.File("customers.dbt"));
    }
};

}  // namespace

namespace {

// The next start on the folder, then a rebuild: every customer is there each time, nothing
// is reported as an error, and the table's files are where they belong.
void ExpectStartAndRebuildKeepEverything(const TempDir& dir, const Layout& layout,
                                         std::optional<CustomerTable::InitResult> expected)
{
    ScriptedMessenger messenger;
    CustomerTable customers;
    const CustomerTable::InitResult result = customers.InitDataBase(dir.Path());
    if (expected) {
        EXPECT_EQ(result, *expected);
    }
    const auto errors = messenger.Errors();
    EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : Utf16ToUtf8(errors[0]));
    if (result == CustomerTable::InitResult::Recovered) {
        ASSERT_FALSE(messenger.Boxes().empty());
        EXPECT_NE(messenger.Boxes()[0].text.find(u"wiederhergestellt"), std::u16string::npos);
    }
    ASSERT_TRUE(customers.Dbf1().Active());
    EXPECT_EQ(customers.Dbf1().FieldCount(), 15);
    ExpectEveryCustomer(customers.Dbf1());

    ASSERT_TRUE(customers.AddnewField(u"Neu", 5));
    EXPECT_EQ(customers.Dbf1().FieldCount(), 16);
    ExpectEveryCustomer(customers.Dbf1());
    EXPECT_TRUE(messenger.Errors().empty());
    EXPECT_EQ(fs::is_symlink(dir.File("customers.dbf")), layout.links);
    EXPECT_EQ(fs::is_symlink(dir.File("customers.dbt")), layout.links);
    EXPECT_FALSE(fs::exists(layout.Where(dir) + "temp.dbf"));
    EXPECT_FALSE(fs::exists(layout.Where(dir) + "temp.dbt"));
    DbfTable old;
    old.Open(layout.Where(dir) + "customers0.dbf");
    EXPECT_EQ(old.FieldCount(), 15);
    ExpectEveryCustomer(old);
}

}  // namespace

TEST(CustomerCrash, ARebuildStoppedAfterAnyStepLosesNoCustomer)
{
    for (const Layout layout : {Layout{false}, Layout{true}}) {
        std::vector<std::string> steps;
        {
            TempDir dir;
            layout.Make(dir);
            steps = StepsOfAStart(dir.Path());
        }
        // Work table made, filled and sealed; customers0.* removed; four renames.
        ASSERT_EQ(steps.size(), 9u);
        for (int k = 0; k < int(steps.size()); ++k) {
            SCOPED_TRACE((layout.links ? "links, stopped after " : "stopped after ") + steps[size_t(k)]);
            TempDir dir;
            layout.Make(dir);
            ASSERT_TRUE(KilledAtStep(k, [&](const auto& observer) { StartInChild(dir.Path(), observer); }));
            TempDir again;
            fs::copy(dir.Path(), again.Path(), fs::copy_options::recursive | fs::copy_options::copy_symlinks);

            // The files are between two renames of the swap exactly after its middle three.
            const bool halfSwapped = steps[size_t(k)].find("->") != std::string::npos && k + 1 < int(steps.size());
            ExpectStartAndRebuildKeepEverything(
                dir, layout, halfSwapped ? CustomerTable::InitResult::Recovered : CustomerTable::InitResult::Opened);

            // A recovery that is itself stopped goes on from there at the next start.
            int recoverySteps = 0;
            while (KilledAtStep(recoverySteps, [&](const auto& observer) {
                ScriptedMessenger quiet;
                CustomerRecovery::Run(CustomerFiles::In(again.Path()), true, {}, observer);
            }))
                ++recoverySteps;
            EXPECT_EQ(recoverySteps > 0, halfSwapped);
            ExpectStartAndRebuildKeepEverything(again, layout, std::nullopt);
        }
    }
}

TEST(CustomerCrash, ATableOfLinksIsRebuiltBesideTheLinksTargets)
{
    TempDir dir;
    const Layout layout{true};
    layout.Make(dir);
    ScriptedMessenger messenger;
    CustomerTable customers;
    ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    EXPECT_EQ(fs::read_symlink(dir.File("customers.dbf")), "ziel/kunden.dbf");
    EXPECT_EQ(fs::read_symlink(dir.File("customers.dbt")), "ziel/kunden.dbt");
    DbfTable target;
    target.Open(dir.File("ziel/kunden.dbf"));
    EXPECT_EQ(target.FieldCount(), 15);
    ExpectEveryCustomer(target);
    EXPECT_TRUE(fs::exists(dir.File("ziel/customers0.dbf")));
    EXPECT_TRUE(fs::exists(dir.File("ziel/customers0.dbt")));
    EXPECT_FALSE(fs::exists(dir.File("customers0.dbf")));
    EXPECT_FALSE(fs::exists(dir.File("temp.dbf")));
}

namespace {

// Zeroes the tag of a file, as files of earlier versions and other programs have none.
void StripTag(const std::string& path)
{
    std::string bytes = ReadWholeFile(path);
    const size_t at = path.ends_with(".dbf") ? DbfPairTag::kTableOffset : DbfPairTag::kMemoOffset;
    bytes.replace(at, DbfPairTag::kSize, std::string(DbfPairTag::kSize, '\0'));
    WriteWholeFile(path, bytes);
}

// A = the 14-column table before a rebuild, B = the 15-column one after it; both without
// tags when untagged.
struct Generations {
    std::string a, aMemo, b, bMemo;
};

Generations MakeGenerations(const TempDir& scratch, bool untagged)
{
    FillOldTable(scratch.File("customers.dbf"));
    {
        ScriptedMessenger quiet;
        CustomerTable customers;
        customers.InitDataBase(scratch.Path());
    }
    if (untagged) {
        for (const char* name : {"customers0.dbf", "customers0.dbt", "customers.dbf", "customers.dbt"})
            StripTag(scratch.File(name));
    }
    return {ReadWholeFile(scratch.File("customers0.dbf")), ReadWholeFile(scratch.File("customers0.dbt")),
            ReadWholeFile(scratch.File("customers.dbf")), ReadWholeFile(scratch.File("customers.dbt"))};
}

}  // namespace

TEST(CustomerCrash, StatesLeftByEarlierVersionsAreRecovered)
{
    TempDir scratch;
    const Generations g = MakeGenerations(scratch, true);
    // The earlier order: customers.dbf -> customers0.dbf, customers.dbt -> customers0.dbt,
    // temp.dbt -> customers.dbt, temp.dbf -> customers.dbf; stopped after each of the first three.
    const std::vector<std::map<std::string, const std::string*>> states = {
        {{"customers.dbt", &g.aMemo}, {"customers0.dbf", &g.a}, {"temp.dbf", &g.b}, {"temp.dbt", &g.bMemo}},
        {{"customers0.dbf", &g.a}, {"customers0.dbt", &g.aMemo}, {"temp.dbf", &g.b}, {"temp.dbt", &g.bMemo}},
        {{"customers.dbt", &g.bMemo}, {"customers0.dbf", &g.a}, {"customers0.dbt", &g.aMemo}, {"temp.dbf", &g.b}},
        // Only the kept table is left.
        {{"customers0.dbf", &g.a}, {"customers0.dbt", &g.aMemo}},
    };
    for (size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE("state " + std::to_string(i));
        TempDir dir;
        for (const auto& [name, bytes] : states[i])
            WriteWholeFile(dir.File(name), *bytes);
        ScriptedMessenger messenger;
        CustomerTable customers;
        EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Recovered);
        ASSERT_EQ(messenger.Boxes().size(), 1u);
        EXPECT_EQ(messenger.Boxes()[0].kind, ScriptedMessenger::Kind::Information);
        EXPECT_NE(messenger.Boxes()[0].text.find(u"wiederhergestellt"), std::u16string::npos);
        EXPECT_NE(messenger.Boxes()[0].text.find(u"customers0.dbf"), std::u16string::npos);
        ASSERT_TRUE(customers.Dbf1().Active());
        EXPECT_EQ(customers.Dbf1().FieldCount(), 15);  // B, or A given "Kostenst" again
        ExpectEveryCustomer(customers.Dbf1());
    }
}

TEST(CustomerCrash, WhatCannotBeDecidedIsLeftUntouchedAndNoTableIsCreated)
{
    TempDir scratch;
    const Generations g = MakeGenerations(scratch, false);
    std::string unsealed = g.b;  // a work table stopped while it was filled: no tag yet
    unsealed.replace(DbfPairTag::kTableOffset, DbfPairTag::kSize, std::string(DbfPairTag::kSize, '\0'));
    const std::vector<std::pair<std::map<std::string, const std::string*>, std::u16string>> states = {
        {{{"customers.dbt", &g.aMemo}}, u"nur die Memodatei"},
        {{{"customers.dbf", &g.b}, {"customers.dbt", &g.aMemo}}, u"anderen Fassung"},
        {{{"customers0.dbf", &g.a}, {"customers0.dbt", &g.bMemo}}, u"vollständig"},
        {{{"temp.dbf", &unsealed}, {"temp.dbt", &g.bMemo}}, u"vollständig"},
        {{{"customers.dbt", &g.aMemo}, {"customers0.dbf", &g.b}, {"temp.dbf", &g.b}}, u"passt sicher"},
    };
    for (size_t i = 0; i < states.size(); ++i) {
        SCOPED_TRACE("state " + std::to_string(i));
        TempDir dir;
        for (const auto& [name, bytes] : states[i].first)
            WriteWholeFile(dir.File(name), *bytes);
        const auto before = Snapshot(dir.Path());
        ScriptedMessenger messenger;
        CustomerTable customers;
        EXPECT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::OpenFailed);
        EXPECT_FALSE(customers.Dbf1().Active());
        ASSERT_EQ(messenger.Errors().size(), 1u);
        EXPECT_NE(messenger.Errors()[0].find(states[i].second), std::u16string::npos)
            << Utf16ToUtf8(messenger.Errors()[0]);
        EXPECT_NE(messenger.Errors()[0].find(u"keine neue Tabelle angelegt"), std::u16string::npos);
        EXPECT_EQ(Snapshot(dir.Path()), before);
        EXPECT_FALSE(customers.AddnewField(u"Neu", 5));
        EXPECT_EQ(Snapshot(dir.Path()), before);
    }
}

TEST(CustomerCrash, ARebuildIsRefusedWhenTheOpenFilesHaveBeenMovedAway)
{
    TempDir dir;
    FillCustomers(dir.File("customers.dbf"), CustomerSchema::StandardFields(), {{{u"Firma", u"Eins"}}});
    ScriptedMessenger messenger;
    CustomerTable customers;
    ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    // Another program renames the memo file and leaves something in customers0.dbt.
    fs::rename(dir.File("customers.dbt"), dir.File("woanders.dbt"));
    WriteWholeFile(dir.File("customers0.dbt"), "nicht anrühren");
    const auto before = Snapshot(dir.Path());
    EXPECT_FALSE(customers.AddnewField(u"Neu", 5));
    ASSERT_EQ(messenger.Errors().size(), 1u);
    EXPECT_NE(messenger.Errors()[0].find(u"nicht mehr die geöffnete Datei"), std::u16string::npos);
    EXPECT_EQ(Snapshot(dir.Path()), before);
}
