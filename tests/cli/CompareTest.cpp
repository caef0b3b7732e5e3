// tellurinc compare: each kind of difference, which entries are the same, what is compared, ignore patterns,
// and baselines that are no list file.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "Comparison.h"
#include "OutputFormats.h"
#include "Tellurinc.h"

namespace {

const std::string kFolder = "C:\\tellurinc_compare_" + std::to_string(GetCurrentProcessId());

std::string Write(const std::string& name, const std::string& content) {
    std::filesystem::create_directories(kFolder);
    const std::string path = kFolder + "\\" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
}

// Stations that answer with the rows given, or fail with a reason; every call is counted.
struct Fleet {
    std::map<std::string, StationReport> reports;
    int asked = 0;
    std::string out, err;

    void Rows(const std::string& station,
              std::vector<StartupEntry> rows,
              std::vector<EntryProgram> files = {}) {
        reports[station].rows = std::move(rows);
        reports[station].files = std::move(files);
        reports[station].status = "listed";
    }
    int Run(const std::vector<std::string>& args) {
        out.clear();
        err.clear();
        CliEnvironment environment;
        environment.writeOut = [this](const std::string& text) { out += text; };
        environment.writeErr = [this](const std::string& text) { err += text; };
        environment.computerName = "HERE";
        environment.work = [this](const CliCommand& command, const std::string& station) {
            ++asked;
            EXPECT_EQ(command.verb, CliVerb::List);
            return reports.at(station);
        };
        return RunTellurinc(args, environment).exitStatus;
    }
};

StartupEntry Row(const std::string& name, const std::string& command, bool enabled = true) {
    return {name, command, "HKCU_Run", enabled ? EntryState::Enabled : EntryState::Disabled};
}

TEST(TellurincCompare, ReportsEachKindOfDifferenceOnlyForTheStationsAndViewsOfTheRun) {
    const std::string baseline = Write(
        "base.json", FormatRows({{"ws1", "hkcu_run", "Pager", "pager.exe", "Enabled"},
                                 {"ws1", "HKCU_Run", "Mail", "mail.exe", "Enabled"},
                                 {"ws1", "HKCU_Run", "Same", "same.exe", "Enabled"},
                                 {"ws1", "HKCU_Run", "Old", "old.exe", "Disabled"},
                                 {"WS1", "HKCU_Run", "Twin", "a.exe", "Enabled"},
                                 {"ws1", "HKCU_Run", "Twin", "b.exe", "Disabled"},
                                 {"ws1", "HKLM_Run", "Agent", "agent.exe", "Enabled"},  // another view
                                 {"ws9", "HKCU_Run", "Elsewhere", "x.exe", "Enabled"},  // another station
                                 {"ws2", "HKCU_Run", "Gone", "gone.exe", "Enabled"}},
                                OutputFormat::Json));
    Fleet fleet;
    // The twin that stayed as it was pairs with its old self, whatever the order.
    fleet.Rows("ws1", {Row("PAGER", "pager.exe -q"), Row("Mail", "mail.exe", false), Row("Chat", "chat.exe"),
                       Row("Same", "same.exe"), Row("Twin", "b.exe", false), Row("Twin", "c.exe")});
    EXPECT_EQ(
        fleet.Run({"compare", baseline, "--location", "HKCU_Run", "--station", "ws1", "--format", "csv"}), 3);
    const std::string differences =
        "change,station,location,name,command,was_command,status,was_status\r\n"
        "changed,ws1,HKCU_Run,PAGER,pager.exe -q,pager.exe,Enabled,Enabled\r\n"
        "changed,ws1,HKCU_Run,Mail,mail.exe,mail.exe,Disabled,Enabled\r\n"
        "added,ws1,HKCU_Run,Chat,chat.exe,,Enabled,\r\n"
        "changed,ws1,HKCU_Run,Twin,c.exe,a.exe,Enabled,Enabled\r\n"
        "removed,ws1,HKCU_Run,Old,old.exe,,Disabled,\r\n";
    EXPECT_EQ(fleet.out, differences);

    // A station that fails makes the answer partial: exit status 1, and none of its entries is "removed".
    fleet.reports["ws2"].ok = false;
    fleet.reports["ws2"].status = "The network path was not found.";
    EXPECT_EQ(fleet.Run({"compare", baseline, "--location=HKCU_Run", "--station", "ws1", "--station", "ws2",
                         "--format", "csv"}),
              1);
    EXPECT_EQ(fleet.out, differences);

    fleet.Run({"compare", baseline, "--location", "HKCU_Run", "--station", "ws1"});
    EXPECT_NE(fleet.out.find("\r\nchanged  ws1      HKCU_Run  PAGER  command: pager.exe -> pager.exe -q\r\n"),
              std::string::npos)
        << fleet.out;
    EXPECT_NE(fleet.out.find("\r\nremoved  ws1      HKCU_Run  Old    command: old.exe; status: Disabled\r\n"),
              std::string::npos);
    fleet.Run({"compare", baseline, "--location", "HKCU_Run", "--station", "ws1", "--format", "json"});
    EXPECT_NE(fleet.out.find("\"name\": \"Mail\", \"command\": \"mail.exe\", \"status\": \"Disabled\", "
                             "\"was_status\": \"Enabled\"}"),
              std::string::npos)
        << fleet.out;

    // --user: only that user's rows, named in any letter case, are the run's.
    const std::string users =
        Write("users.csv", FormatRows({{"ws1", "BOB\\Run", "Chat", "c.exe", "Enabled"},
                                       {"ws1", "bob\\Startup", "Web.lnk", "w", "Enabled"},
                                       {"ws1", "alice\\Startup", "Notes.lnk", "n", "Enabled"},
                                       {"ws1", "HKCU_Run", "Pager", "p.exe", "Enabled"}},
                                      OutputFormat::Csv));
    fleet.Rows("ws1", {{"Web.lnk", "w", "bob\\Startup", EntryState::Enabled}});
    EXPECT_EQ(fleet.Run({"compare", users, "--user", "Bob", "--station", "ws1", "--format", "csv"}), 3);
    EXPECT_EQ(fleet.out,
              "change,station,location,name,command,was_command,status,was_status\r\n"
              "removed,ws1,BOB\\Run,Chat,c.exe,,Enabled,\r\n");

    // Nothing changed: exit status 0 and no difference. Without --location every view is compared.
    const std::string now =
        Write("now.csv", FormatRows({{"ws1", "HKCU_Run", "Pager", "p.exe", "Enabled"}}, OutputFormat::Csv));
    fleet.Rows("ws1", {Row("pager", "p.exe")});
    EXPECT_EQ(fleet.Run({"compare", now, "--station", "ws1", "--format", "json"}), 0);
    EXPECT_EQ(fleet.out, "[]\r\n");
    std::filesystem::remove_all(kFolder);
}

TEST(TellurincCompare, TheSameNameInAnotherLetterCaseIsTheSameEntry) {
    Baseline baseline(ListedFieldNames(false, false));
    baseline.Add({"here", "HKCU_Run", "\xD0\x9F\xD0\x9E\xD0\xA7\xD0\xA2\xD0\x90", "m", "Enabled"});
    baseline.Add({".", "alice\\Startup", "Notes.LNK", "n", "Enabled"});
    // "почта", and "Почтa" with a Latin "a": another name.
    const std::vector<Cells> listed{
        {"HERE", "HKCU_Run", "\xD0\xBF\xD0\xBE\xD1\x87\xD1\x82\xD0\xB0", "m", "Enabled"},
        {"HERE", "ALICE\\startup", "notes.lnk", "n", "Enabled"},
        {"HERE", "HKCU_Run",
         "\xD0\x9F\xD0\xBE\xD1\x87\xD1\x82"
         "a",
         "m", "Enabled"}};
    const Differences differences =
        Compare(baseline, baseline.Fields(), listed, std::vector<bool>(3), {"HERE"}, "HERE");
    ASSERT_EQ(differences.rows.size(), 1u);
    EXPECT_EQ(differences.rows[0].kind, ChangeKind::Added);
    EXPECT_EQ(differences.rows[0].now, listed[2]);
}

EntryProgram Program(const std::string& publisher, bool unreadable = false) {
    EntryProgram program;
    program.file.path = "C:\\p.exe";
    program.facts.exists = !unreadable;
    program.facts.unreadable = unreadable;
    program.facts.publisher = publisher;
    program.facts.signature = {SignatureState::Valid, publisher};
    return program;
}

TEST(TellurincCompare, DetailsAreComparedOnlyWhereBothSidesHaveThem) {
    const std::vector<ListedRow> rows{{"ws1", "HKCU_Run", "A", "C:\\p.exe", "Enabled"},
                                      {"ws1", "HKCU_Run", "B", "C:\\p.exe", "Enabled"},
                                      {"ws1", "HKCU_Run", "C", "C:\\p.exe", "Enabled"}};
    const std::vector<ListedFile> old(3, {"C:\\p.exe", true, "", "Old Corp", "", "valid", "Old Corp", ""});
    const std::string detailed = Write("detailed.csv", FormatRows(rows, OutputFormat::Csv, &old));
    const std::string plain = Write("plain.json", FormatRows({rows[0], rows[2]}, OutputFormat::Json));
    Fleet fleet;
    // B's file is out of reach this time: its facts are unknown, not changed.
    fleet.Rows("ws1", {Row("A", "C:\\p.exe"), Row("B", "C:\\p.exe"), Row("C", "C:\\p.exe")},
               {Program("New Corp"), Program("", true), Program("Old Corp")});
    EXPECT_EQ(fleet.Run({"compare", detailed, "--station", "ws1"}), 0);  // without --details: unseen
    EXPECT_EQ(fleet.Run({"compare", detailed, "--station", "ws1", "--details", "--format", "csv"}), 3);
    EXPECT_EQ(fleet.out,
              "change,station,location,name,command,was_command,status,was_status,file,was_file,exists,"
              "description,publisher,was_publisher,version,was_version,signature,was_signature,signer,was_"
              "signer\r\n"
              "changed,ws1,HKCU_Run,A,C:\\p.exe,C:\\p.exe,Enabled,Enabled,C:\\p.exe,C:\\p.exe,true,,New Corp,"
              "Old Corp,,,valid,valid,New Corp,Old Corp\r\n");

    // A baseline without details: the run's details are printed, not compared; a removed row's are unknown.
    EXPECT_EQ(fleet.Run({"compare", plain, "--station", "ws1", "--details", "--format", "json"}), 3);
    EXPECT_EQ(fleet.out.find("was_"), std::string::npos) << fleet.out;
    EXPECT_NE(
        fleet.out.find("\"change\": \"added\", \"station\": \"ws1\", \"location\": \"HKCU_Run\", \"name\": "
                       "\"B\", \"command\": \"C:\\\\p.exe\", \"status\": \"Enabled\", \"file\": "
                       "\"C:\\\\p.exe\", \"exists\": false"),
        std::string::npos);
    fleet.Rows("ws1", {}, {});
    EXPECT_EQ(fleet.Run({"compare", plain, "--station", "ws1", "--details", "--format", "json"}), 3);
    EXPECT_NE(
        fleet.out.find("\"status\": \"Enabled\", \"file\": null, \"exists\": null, \"description\": null"),
        std::string::npos)
        << fleet.out;
    std::filesystem::remove_all(kFolder);
}

TEST(TellurincCompare, IgnoredEntriesAreNeitherReportedNorCounted) {
    const std::string baseline =
        Write("base.csv",
              "station,location,name,command,status\r\nws1,HKCU_Run,Pager,p.exe,Enabled\r\n"
              "ws1,bob\\Startup,Old Notes.lnk,n.exe,Enabled\r\n");
    Fleet fleet;
    fleet.Rows("ws1", {Row("Updater 2", "u.exe"), Row("Pager", "p2.exe"), Row("Tool", "t.exe")});
    const std::string patterns =
        Write("ignore.txt",
              "# updaters come and go\r\nhkcu_RUN\t  up*ER ?\r\n*\\startup *notes.LNK\n"
              "#HKCU_Run Tool\n\nHKCU_Run Pag\\er\r\n");
    EXPECT_EQ(fleet.Run({"compare", baseline, "--station", "ws1", "--ignore", patterns, "--format", "csv"}),
              3);
    EXPECT_EQ(fleet.out,
              "change,station,location,name,command,was_command,status,was_status\r\n"
              "changed,ws1,HKCU_Run,Pager,p2.exe,p.exe,Enabled,Enabled\r\n"
              "added,ws1,HKCU_Run,Tool,t.exe,,Enabled,\r\n");
    const std::string all = Write("all.txt", "HKCU_Run *\r\n* *.lnk\r\n");
    EXPECT_EQ(fleet.Run({"compare", baseline, "--station", "ws1", "--ignore", all}), 0);

    const std::string bad = Write("bad.txt", "# fine\r\nHKCU_Run\r\n");
    EXPECT_EQ(fleet.Run({"compare", baseline, "--station", "ws1", "--ignore", bad}), 2);
    EXPECT_EQ(fleet.err, "tellurinc: " + bad + ": line 2: expected LOCATION, spaces or tabs, then NAME\r\n");
    std::filesystem::remove_all(kFolder);
}

TEST(TellurincCompare, ABaselineThatIsNoListFileIsAUsageErrorAndNothingIsListed) {
    const std::string header = "station,location,name,command,status\r\n";
    const std::string json =
        "[\r\n  {\"station\": \"ws1\", \"location\": \"HKCU_Run\", \"name\": \"a\", "
        "\"command\": \"b\", \"status\": \"Enabled\"}\r\n]\r\n";
    const std::vector<std::pair<std::string, std::string>> cases{
        {"[\r\n  {\"station\": \"ws1\",}\r\n]", "line 2, column 21: expected a string"},
        {"[{\"station\": [\"ws1\"]}]", "line 1, column 14: a value nested deeper than a list file's"},
        {"[{\"station\": \"a\", \"colour\": \"red\"}]",
         "column 19: the field \"colour\", which list does not"},
        {"[{\"station\": \"a\", \"name\": \"b\"}]",
         "line 1, column 31: a row without the field \"location\""},
        {json.substr(0, json.size() - 6), "line 2: the file ends before the list does: it is cut short"},
        {json.substr(0, 58), "line 2, column 56: a string that does not end on its line"},
        {"[{\"station\": \"a\\x\"}]", "line 1, column 17: an escape that JSON does not have"},
        {json + "[]", "line 4, column 1: more after the end of the list"},
        {"station,location,name,command\r\nws1,HKCU_Run,a,b\r\n",
         "line 1: not the header of list --format csv"},
        {header + "ws1,HKCU_Run,a,b,Enabled\r\nws1,HKCU_Run,a,b,Enab",
         "line 3: the last line has no line break"},
        {header + "ws1,HKCU_Run,\"a\r\nb,Enabled\r\n", "line 3: the file ends inside a quoted field"},
        {header + "ws1,HKCU_Run,a,b\r\n", "line 2: 4 fields where the header names 5"},
        {header + "ws1,HKCU_Run,a\"b,c,Enabled\r\n", "line 2, column 15: a quote inside a field"},
        {header + "ws1,HKCU_Run,a,b,Started\r\n", "line 2: status \"Started\" where list writes Enabled or"},
        {header + "ws1,HKCU_Run,\xFF,b,Enabled\r\n", "line 2, column 14: not UTF-8 text"},
        {header + "ws1,HKCU_Run,a," + std::string((1 << 20) + 1, 'x') + ",Enabled\r\n",
         "line 2: longer than 1 MiB, more than a line of a list file holds"},
        {"", "empty, where list writes at least a header or []"},
    };
    Fleet fleet;
    fleet.Rows("ws1", {Row("a", "b")});
    for (const auto& [content, reason] : cases) {
        const std::string path = Write("bad baseline", content);
        EXPECT_EQ(fleet.Run({"compare", path, "--station", "ws1"}), 2) << reason;
        EXPECT_TRUE(fleet.err.starts_with("tellurinc: " + path + ": line ") || content.empty()) << fleet.err;
        EXPECT_NE(fleet.err.find(reason), std::string::npos) << fleet.err;
        EXPECT_EQ(fleet.out, "");
    }
    // A file over 1 GiB is refused before a byte of it is read (here a sparse one); so is one not there.
    const std::string huge = Write("huge.json", "[");
    std::filesystem::resize_file(huge, (1ull << 30) + 1);
    EXPECT_EQ(fleet.Run({"compare", huge, "--station", "ws1"}), 2);
    EXPECT_EQ(fleet.err, "tellurinc: " + huge + ": larger than 1 GiB, more than a list file holds\r\n");
    EXPECT_EQ(fleet.Run({"compare", kFolder + "\\none.json", "--station", "ws1"}), 2);
    EXPECT_TRUE(fleet.err.starts_with("tellurinc: " + kFolder + "\\none.json: ")) << fleet.err;
    EXPECT_EQ(fleet.asked, 0);
    std::filesystem::remove_all(kFolder);
}

}  // namespace
