#include "customers/CustomerRecovery.h"

#include "dbase/DbfHeader.h"
#include "dbase/DbfMemoFile.h"
#include "dbase/DbfTable.h"
#include "foundation/FileByteSource.h"
#include "foundation/IoError.h"
#include "foundation/PathText.h"
#include "foundation/Utf8.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <vector>

// A rebuild (CustomerRebuild) fills temp.* and puts its tag into temp.dbf only when every
// record is in, so a table whose tag agrees with its memo file's is whole. Then it moves
// the files in this order (C = customers, O = customers0, W = temp; A = the table before
// the rebuild, B = the new one):
//
//   step                      C.dbf C.dbt O.dbf O.dbt W.dbf W.dbt   recovery from here
//   0 W filled and sealed       A     A     ?     ?     B     B     none: C is whole
//   1 O.dbf, O.dbt removed      A     A     -     -     B     B     none: C is whole
//   2 C.dbt -> O.dbt            A     -     -     A     B     B     B whole: C.dbf -> O.dbf (on to 3);
//                                                                   else O.dbt fits C.dbf: O.dbt -> C.dbt
//   3 C.dbf -> O.dbf            -     -     A     A     B     B     B whole: W.dbt -> C.dbt (on to 4);
//                                                                   else A whole: O.dbf -> C.dbf (back to 2)
//   4 W.dbt -> C.dbt            -     B     A     A     B     -     B.dbf fits C.dbt: W.dbf -> C.dbf (5);
//                                                                   else A whole: C.dbt -> W.dbt (back to 3)
//   5 W.dbf -> C.dbf            B     B     A     A     -     -     none: C is whole
//
// Earlier versions moved C.dbf before C.dbt; their stop after that first rename leaves
//   L C.dbf -> O.dbf            -     A     A     -     B     B     O.dbf fits C.dbt: C.dbt -> O.dbt (to 3)
// and their later stops are the states 3 and 4 above. Tables without memo columns have no
// .dbt at all; their states are the same without those columns. Two states more are
// taken as what they plainly are: only W (B whole: it becomes C) and only O (A whole: it
// becomes C). Every recovery step is a rename into a free name and leads to one of these
// states, so a recovery that is stopped goes on from there the next time. Whatever else is
// found (a memo file alone, files that fit nothing, C.dbf with a memo of another table)
// is left untouched and reported. Whether a table fits a memo file: by their tags when
// both have one, else (files of other programs or older versions) by every memo pointer of
// the table reading a whole memo from that file.

namespace {

struct TableInfo {
    bool exists = false;
    bool readable = false;
    bool needsMemo = false;
    DbfPairTag tag;
};

struct MemoInfo {
    bool exists = false;
    DbfPairTag tag;
};

bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

TableInfo ReadTable(const std::string& path)
{
    TableInfo info;
    info.exists = Exists(path);
    if (!info.exists)
        return info;
    try {
        FileByteSource source(path);
        const DbfHeader header = ReadDbfHeader(source, source.Size());
        info.readable = true;
        info.needsMemo =
            std::any_of(header.fields.begin(), header.fields.end(), [](const DbfField& f) { return f.IsMemo(); });
        info.tag = header.tag;
    } catch (const IoError&) {
    }
    return info;
}

MemoInfo ReadMemo(const std::string& path)
{
    MemoInfo info;
    info.exists = Exists(path);
    if (!info.exists)
        return info;
    try {
        DbfMemoFile memo;
        memo.Open(path, DbfMemoFile::Style::DBase4);
        info.tag = memo.Tag();
    } catch (const IoError&) {
    }
    return info;
}

// The table opens with this memo file, is not cut off, and every memo it points to is
// whole in that file.
bool OpensWhole(const std::string& table, const std::string& memo)
{
    try {
        DbfTable t;
        t.Open(table, memo);
        if (t.CutOff())
            return false;
        if (!t.HasMemoFields())
            return true;
        for (uint32_t recNo = 1; recNo <= t.PhysicalRecordCount(); ++recNo) {
            if (!t.GoTo(recNo))
                continue;  // deleted
            for (int i = 0; i < t.FieldCount(); ++i) {
                if (t.Field(i).IsMemo())
                    t.Value(i);
            }
        }
        return true;
    } catch (const IoError&) {
        return false;
    }
}

struct State {
    const CustomerFiles& files;
    TableInfo c, o, w;
    MemoInfo cm, om, wm;

    explicit State(const CustomerFiles& f)
        : files(f),
          c(ReadTable(f.table)),
          o(ReadTable(f.oldTable)),
          w(ReadTable(f.workTable)),
          cm(ReadMemo(f.memo)),
          om(ReadMemo(f.oldMemo)),
          wm(ReadMemo(f.workMemo))
    {
    }

    // The table at tablePath with the memo at memoPath is a whole table.
    static bool Whole(const std::string& tablePath, const TableInfo& t, const std::string& memoPath, const MemoInfo& m)
    {
        if (!t.readable)
            return false;
        if (!t.needsMemo)
            return !t.tag.Empty() || OpensWhole(tablePath, memoPath);
        if (!m.exists)
            return false;
        if (!t.tag.Empty() || !m.tag.Empty())
            return t.tag == m.tag;
        return OpensWhole(tablePath, memoPath);
    }
};

struct Step {
    enum class Kind { Done, NoTable, Move, Undecided } kind = Kind::Done;
    std::string from, to;
    std::u16string why;  // for Undecided
};

Step Move(const std::string& from, const std::string& to)
{
    return {Step::Kind::Move, from, to, {}};
}

Step Undecided(std::u16string why)
{
    return {Step::Kind::Undecided, {}, {}, std::move(why)};
}

Step Decide(const State& s)
{
    const CustomerFiles& f = s.files;
    if (s.c.exists) {
        if (!s.c.readable || !s.c.needsMemo)
            return {};  // opened (or refused) as it is
        if (s.cm.exists) {
            if (!s.c.tag.Empty() && !s.cm.tag.Empty() && s.c.tag != s.cm.tag)
                return Undecided(u"Die Memodatei customers.dbt gehört nicht zu dieser customers.dbf, sondern zu einer "
                                 u"anderen Fassung der Tabelle.");
            return {};
        }
        // Stopped after step 2.
        if (s.om.exists && !s.o.exists && State::Whole(f.workTable, s.w, f.workMemo, s.wm))
            return Move(f.table, f.oldTable);
        if (s.om.exists && State::Whole(f.table, s.c, f.oldMemo, s.om))
            return Move(f.oldMemo, f.memo);
        return {};  // the memo file is simply missing: opening says so
    }
    if (s.cm.exists) {
        // Stopped after step 4.
        if (s.w.exists && !s.wm.exists && s.o.exists) {
            if (State::Whole(f.workTable, s.w, f.memo, s.cm))
                return Move(f.workTable, f.table);
            if (State::Whole(f.oldTable, s.o, f.oldMemo, s.om))
                return Move(f.memo, f.workMemo);
        }
        // An earlier version stopped after its first rename.
        if (s.o.exists && !s.om.exists && s.w.exists && s.wm.exists && State::Whole(f.oldTable, s.o, f.memo, s.cm))
            return Move(f.memo, f.oldMemo);
        if (!s.o.exists && !s.w.exists)
            return Undecided(u"Es gibt nur die Memodatei customers.dbt, aber keine Tabelle dazu.");
        return Undecided(u"Keine der vorhandenen Tabellen passt sicher zur Memodatei customers.dbt.");
    }
    // Stopped after step 3, or only one of the other tables is there.
    if (s.w.exists && State::Whole(f.workTable, s.w, f.workMemo, s.wm))
        return s.w.needsMemo ? Move(f.workMemo, f.memo) : Move(f.workTable, f.table);
    if (s.o.exists && State::Whole(f.oldTable, s.o, f.oldMemo, s.om))
        return Move(f.oldTable, f.table);
    if (!s.o.exists && !s.om.exists && !s.w.exists && !s.wm.exists)
        return {Step::Kind::NoTable, {}, {}, {}};
    return Undecided(u"Keine der vorhandenen Tabellen ist vollständig.");
}

std::u16string Name(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return PathToText(slash == std::string::npos ? path : path.substr(slash + 1));
}

std::u16string Found(const CustomerFiles& f)
{
    std::u16string found;
    for (const std::string* path : {&f.table, &f.memo, &f.oldTable, &f.oldMemo, &f.workTable, &f.workMemo}) {
        if (Exists(*path))
            found += (found.empty() ? u"" : u", ") + Name(*path);
    }
    return found.empty() ? u"keine" : found;
}

}  // namespace

CustomerRecovery::Result CustomerRecovery::Run(const CustomerFiles& files, bool mayChange,
                                               const std::u16string& reasonWhyNot, const StepObserver& observer)
{
    const std::u16string found = u"Vorgefunden: " + Found(files) + u".";
    std::u16string done;
    // Each step leads to a later state of the table above; a handful always suffices.
    for (int round = 0; round < 8; ++round) {
        const Step step = Decide(State(files));
        switch (step.kind) {
        case Step::Kind::Done:
            if (done.empty())
                return {};
            return {Outcome::Recovered, u"Die Kundendatenbank war nach einem abgebrochenen Umbau unvollständig. " +
                                            found + u"\n\nDie neueste vollständige Tabelle wurde wiederhergestellt:\n" +
                                            done + u"\nEs wurde keine Datei gelöscht oder überschrieben."};
        case Step::Kind::NoTable:
            return {Outcome::NoTable, {}};
        case Step::Kind::Undecided:
            return {Outcome::Undecided,
                    u"Die Dateien der Kundendatenbank passen nicht zusammen. " + found + u"\n" + step.why +
                        (done.empty() ? u"" : u"\n\nBis dahin wurde umbenannt:\n" + done) +
                        u"\n\nWeil nicht sicher zu entscheiden ist, welche Tabelle die richtige ist, wurde nichts "
                        u"weiter verändert und keine neue Tabelle angelegt. Bitte sichern Sie die Dateien im "
                        u"Datenordner und stellen Sie die Tabelle von Hand wieder her."};
        case Step::Kind::Move:
            break;
        }
        if (!mayChange) {
            return {Outcome::Undecided, u"Die Kundendatenbank ist nach einem abgebrochenen Umbau unvollständig. " +
                                            found + u"\n" + reasonWhyNot + u"\n\nEs wurde nichts verändert."};
        }
        // Recovery never replaces a file.
        if (Exists(step.to) || std::rename(step.from.c_str(), step.to.c_str()) != 0) {
            const std::string why = Exists(step.to) ? "das Ziel gibt es schon" : std::strerror(errno);
            return {Outcome::Undecided, u"Die Kundendatenbank ist nach einem abgebrochenen Umbau unvollständig. " +
                                            found + u"\n" + Name(step.from) + u" konnte nicht in " + Name(step.to) +
                                            u" umbenannt werden: " + Utf8ToUtf16(why) +
                                            (done.empty() ? u"" : u"\n\nBis dahin wurde umbenannt:\n" + done)};
        }
        done += u"  " + Name(step.from) + u" → " + Name(step.to) + u"\n";
        if (observer)
            observer("recovery " + step.from + " -> " + step.to);
    }
    return {Outcome::Undecided, u"Die Kundendatenbank konnte nicht wiederhergestellt werden. " + found + u"\n" +
                                    (done.empty() ? u"" : u"Umbenannt wurde:\n" + done)};
}
