// Builds small analysis listings in memory for the reader tests: echoed input, reactions and blocks.
#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "input/listing_reader.h"
#include "model/errors.h"
#include "model/prompter.h"
#include "../project/project_test_support.h"  // fileText

namespace plintova::testing {

// One reaction line: joint in columns 1-7 (blank on continuation lines), load in 8-12, then FX, FY,
// FZ, MX, MY, MZ in fields of ten with two decimals.
inline std::string reactionRow(int joint, int load, double fy, double mx = 0, double mz = 0) {
  char buf[128];
  std::string first = joint ? std::to_string(joint) : "";
  std::snprintf(buf, sizeof buf, "%7s%5d%10.2f%10.2f%10.2f%10.2f%10.2f%10.2f\n", first.c_str(), load, 0.0, fy, 0.0, mx,
                0.0, mz);
  return buf;
}

// A reaction table headed with its force and length units as printed ("KN   METE", "KNS  MMS "), its
// lines, and the end marker after it.
inline std::string reactionTable(const std::string& units, const std::string& rows) {
  return "  SUPPORT REACTIONS -UNIT " + units + "     STRUCTURE TYPE = SPACE\n  -----------------\n\n" +
         "  JOINT  LOAD   FORCE-X   FORCE-Y   FORCE-Z     MOM-X     MOM-Y     MOM Z\n\n" + rows +
         " ************** END OF LATEST ANALYSIS RESULT **************\n";
}

struct ListingBuilder {
  std::string unit = "METER KN";
  std::vector<std::string> joints = {"1 0 0 0; 2 0 3 0"};
  std::vector<std::string> members = {"1 1 2"};
  std::vector<std::string> commands;  // between the members and the reactions (BETA lists ...)
  std::string reactionUnits = "KN   METE";
  std::string reactions = reactionRow(1, 1, 500);
  std::string laterTables;  // reaction tables of later analyses, after the first
  std::vector<std::string> design = {"START CONCRETE DESIGN", "UNIT MMS NEWTON", "FYMAIN 415 ALL", "FC 25 ALL"};
  std::string blocks;  // design blocks, printed after the design commands

  std::string text() const {
    std::string out;
    int n = 0;
    auto echo = [&](const std::string& s) {
      char buf[16];
      std::snprintf(buf, sizeof buf, "%6d. ", ++n);
      out += buf + s + "\n";
    };
    echo("STAAD SPACE TEST");
    echo("UNIT " + unit);
    echo("JOINT COORDINATES");
    for (const auto& s : joints) echo(s);
    echo("MEMBER INCIDENCES");
    for (const auto& s : members) echo(s);
    echo("SUPPORTS");
    for (const auto& s : commands) echo(s);
    echo("PERFORM ANALYSIS");
    out += reactionTable(reactionUnits, reactions) + laterTables;
    for (const auto& s : design) echo(s);
    out += blocks;
    echo("FINISH");
    return out;
  }
};

inline std::string columnBlock(int member, double length, double d1, double d2) {
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "        C O L U M N   N O.  %3d  D E S I G N   R E S U L T S\n\n"
                "      LENGTH: %7.1f mm  CROSS SECTION:  %5.1f mm X  %5.1f mm  COVER: 40.0 mm\n",
                member, length, d1, d2);
  return buf;
}

inline std::string beamBlock(int member, double length, double b, double d) {
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "        B E A M  N O.  %3d D E S I G N   R E S U L T S\n\n"
                "      LENGTH: %7.1f mm      SIZE:  %5.1f mm X  %5.1f mm   COVER: 25.0 mm\n",
                member, length, b, d);
  return buf;
}

// A project read from listing text; `error` holds the message of a refused listing.
struct ReadResult {
  std::unique_ptr<Project> project = std::make_unique<Project>();
  RecordingPrompter prompter;
  ListingSummary summary;
  bool refused = false;
  std::string error;
};

// A file of the tests' data folder.
inline std::string testData(const char* name) { return std::string(PLINTOVA_TEST_DATA) + "/" + name; }

inline std::unique_ptr<ReadResult> readFile(const std::string& path) {
  auto r = std::make_unique<ReadResult>();
  try {
    r->summary = readListing(*r->project, path, r->prompter);
  } catch (const ListingError& e) {
    r->refused = true;
    r->error = e.what();
  }
  return r;
}

inline std::unique_ptr<ReadResult> readText(const std::string& text) {
  auto r = std::make_unique<ReadResult>();
  try {
    r->summary = readListingText(*r->project, text, "TEST.ANL", r->prompter);
  } catch (const ListingError& e) {
    r->refused = true;
    r->error = e.what();
  }
  return r;
}

}  // namespace plintova::testing
