// The sentences that tell what a CSV export or import of the customer records came to: one
// wording for the window and the command line, which adds the system's reason where the
// window names a file by the numbered message alone.
#include "customers/CustomerCsvReport.h"
#include "customers/CustomerSchema.h"
#include "customers/CustomerTable.h"
#include "customers/CustomerTestTables.h"
#include "foundation/MemoryByteSource.h"
#include "foundation/Utf8.h"
#include "messages/MessageCatalog.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {

using Where = CustomerCsvReport::Where;
using Texts = std::vector<std::u16string>;

class CustomerCsvReportTest : public ::testing::Test {
protected:
    TempDir dir;
    CustomerTable customers;

    void SetUp() override
    {
        FillCustomers(dir.File("customers.dbf"), CustomerSchema::StandardFields(), {{{u"Firma", u"Erste"}}});
        ASSERT_EQ(customers.InitDataBase(dir.Path()), CustomerTable::InitResult::Opened);
    }
};

TEST_F(CustomerCsvReportTest, AnExportWrittenWholeSaysNothing)
{
    const auto result = CustomerCsvExport::WriteFile(customers.Dbf1(), dir.File("kunden.csv"));
    ASSERT_EQ(result.status, CustomerCsvExport::Result::Status::Written);
    EXPECT_EQ(CustomerCsvReport::Export(result, Where::Window), Texts{});
    EXPECT_EQ(CustomerCsvReport::Export(result, Where::CommandLine), Texts{});
}

TEST_F(CustomerCsvReportTest, AFileThatCannotBeCreatedIsNamedByItsMessageAndOnTheCommandLineItsReason)
{
    const auto result = CustomerCsvExport::WriteFile(customers.Dbf1(), dir.File("fehlt/kunden.csv"));
    ASSERT_EQ(result.status, CustomerCsvExport::Result::Status::CannotCreate);
    ASSERT_FALSE(result.error.empty());
    EXPECT_EQ(CustomerCsvReport::Export(result, Where::Window), Texts{MessageText(12)});
    const Texts line = CustomerCsvReport::Export(result, Where::CommandLine);
    ASSERT_EQ(line.size(), 1u);
    EXPECT_EQ(line[0], MessageText(12) + u": " + Utf8ToUtf16(result.error));

    EXPECT_EQ(CustomerCsvReport::CannotOpen("kein Zugriff", Where::Window), MessageText(13));
    EXPECT_EQ(CustomerCsvReport::CannotOpen("kein Zugriff", Where::CommandLine), MessageText(13) + u": kein Zugriff");
    EXPECT_EQ(CustomerCsvReport::CannotOpen("", Where::CommandLine), MessageText(13));
}

TEST_F(CustomerCsvReportTest, AnExportThatFailedOrMetDamagedMemosSaysSoInOneWording)
{
    CustomerCsvExport::Result failed;
    failed.status = CustomerCsvExport::Result::Status::WriteFailed;
    failed.error = "Kein Platz auf dem Gerät";
    CustomerCsvExport::Result damaged;
    damaged.damagedMemos = {7, 2};
    for (const Where where : {Where::Window, Where::CommandLine}) {
        EXPECT_EQ(CustomerCsvReport::Export(failed, where),
                  Texts{u"Die CSV-Datei konnte nicht geschrieben werden:\nKein Platz auf dem Gerät\n\n"
                        u"Eine vorhandene Datei dieses Namens ist unverändert."});
        EXPECT_EQ(CustomerCsvReport::Export(damaged, where),
                  Texts{u"Die CSV-Datei wurde geschrieben. 2 Datensätze haben ein beschädigtes Memo, das als leer "
                        u"behandelt wurde: Nr. 2, 7."});
    }
}

TEST_F(CustomerCsvReportTest, AnImportCountsWhatItCouldNotTakeAsItIs)
{
    // One record the table takes, one character it cannot store ("Ł").
    MemoryByteSource source(std::string("Kopf\r\n\xC5\x81odz;x\r\n"));
    const auto result = CustomerCsvImport::Read(customers.Dbf1(), source, {}, CsvEncoding::Kind::Utf8);
    ASSERT_EQ(result.added, 1u);
    EXPECT_EQ(CustomerCsvReport::Import(result),
              Texts{u"1 Zeichen der Datei gibt es in der Zeichentabelle der Kundendatenbank nicht; sie wurden als "
                    u"„?“ gespeichert."});

    CustomerCsvImport::Result every;
    every.notStored = 3;
    every.firstError = "Wert zu lang";
    every.tooLong = 2;
    every.replaced = 5000000000ull;  // counted beyond 32 bits
    EXPECT_EQ(CustomerCsvReport::Import(every),
              (Texts{u"3 Datensätze der Datei konnten nicht gespeichert werden:\nWert zu lang",
                     u"2 Zeilen der Datei waren zu lang (ein Wert über 16 MB oder die Zeile über 128 MB) und wurden "
                     u"übersprungen.",
                     u"5000000000 Zeichen der Datei gibt es in der Zeichentabelle der Kundendatenbank nicht; sie "
                     u"wurden als „?“ gespeichert."}));
    EXPECT_EQ(CustomerCsvReport::Import(CustomerCsvImport::Result{}), Texts{});
    EXPECT_EQ(CustomerCsvReport::ReadStopped("Eingabe-/Ausgabefehler"),
              u"Die Datei konnte nicht zu Ende gelesen werden:\nEingabe-/Ausgabefehler\n\n"
              u"Die bis dahin gelesenen Datensätze wurden übernommen.");
}

}  // namespace
