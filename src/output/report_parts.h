// Pieces of the calculation report shared by its chapters: number texts, names of footings, the checks
// as formulas gathered into design steps, and the sections of the schedule rows.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/project.h"
#include "output/report.h"

namespace plintova::report_parts {

// The report's building blocks, named plainly in every chapter.
using report::Align;
using report::Document;
using report::Formula;
using report::Paragraph;
using report::Table;
using report::TableRow;

// A number in general format ("0.34", "137.8", "1360").
std::string num(double v);
// Rounded to `places` decimals first ("0.972"); "∞" for an infinite value.
std::string rounded(double v, int places);
// Metres as whole millimetres, or to a tenth where needed ("400", "452.5").
std::string mm(double metres);
// Joint number of footing s.
std::string joint(const Project& p, int s);
// The grid reference of footing s ("C-4"), empty without grid lines.
std::string grid(const Project& p, int s);
// Footing s by its joint and grid reference: "joint 21 (C-4)".
std::string footingName(const Project& p, int s);
// Load-case number of position c of support s.
std::string loadCase(const Project& p, int s, int c);

// A design text with its units and symbols as a reader expects them: "mm2" as "mm²", "kN/m2" as
// "kN/m²", "kN m" as "kN·m", "tau_bd" as "τbd".
std::string typeset(const std::string& text);

// The design bond stress the development lengths take, with its basis: "τbd = 2.24 N/mm²", and for a
// grade below the bond table (M15) the value taken there.
std::string bondStressText(const Project& p);

// Steel of a group row in words: "18 bars 10 Ø @ 111 each way", or why there is none.
std::string groupSteelText(const SizeGroupRecord& row);

report::Formula formula(std::string lhs, std::string expression, std::string values, std::string result,
                        std::string clause, std::string comparison = {});

// The IS 456 check as a formula: its demand against its capacity with the substitution of the terms the
// design recorded, the clause and whether it passes.
report::Formula checkFormula(const Project& p, const CodeCheck& check);

// The design steps of a row in the order the report gives them; each check belongs to one.
enum Step {
  kSoil, kStability, kBending, kDepth, kOneWay, kPunching, kSteel, kBars, kEdge, kDevelopment, kPedestal, kOther, kSteps
};

struct Steps {
  std::array<std::vector<report::Block>, kSteps> blocks;
  void add(Step s, report::Block b) { blocks[s].push_back(std::move(b)); }
};

// The checks of a row into their steps (the shear force of a shear check ahead of its stress); the
// bearing checks go into one table of the soil step.
void addChecks(Steps& steps, const Project& p, const std::vector<CodeCheck>& checks);
// The steps with their captions, in order, into the section.
void writeSteps(report::Section& section, Steps& steps);

// A formula stating a rule without figures: its terms, expression, clause and what it compares.
report::Formula basis(std::string lhs, std::string expression, std::string clause, std::string comparison = {});

// The chapter "Method": sizing, grouping, combined footings and the section design, step by step.
void addMethod(report::Document& doc, const Project& p);

// The chapter "Design basis": design values, load cases, the options in force, the allowance for the
// weight of footing and soil, and the basis of the soil checks.
void addDesignBasis(report::Document& doc, const Project& p);

// Sections "<mark> ..." of the schedule rows, at level 2 under the chapter being written: the footings
// with their grid references, the case that governs each, every design step and check.
void addGroupRowSection(report::Document& doc, const Project& p, int r);
void addFootingRowSection(report::Document& doc, const Project& p, const FootingRow& row);
// The method chapter's section on pedestals, dowels and the bar bending schedule.
void addPedestalMethod(report::Document& doc, const Project& p);
// The pedestal step of a row: its vertical bars, ties and dowels, with the formulas they follow.
void addPedestalSteps(Steps& steps, const Project& p, const PedestalSteel& pedestal);
// The chapter "Bar bending schedule": every bar mark, the totals by diameter and the bends' basis.
void addBarBendingSchedule(report::Document& doc, const Project& p);
// The combined row's own part of its section: where its columns stand and the figure of pressure, shear
// force and bending moment along its length.
void addCombinedGeometry(report::Section& section, const Project& p, const FootingRow& row);
report::Figure beamFigure(const Project& p, const FootingRow& row);
// The combined row's appendix: both columns' reactions and the bearing pressure of every paired case.
void addCombinedPressures(report::Section& section, const Project& p, const FootingRow& row);

// The appendix sections of the rows: every footing's pressure under every load case (a combined
// footing's columns' reactions and its bearing pressure of every paired case).
void addGroupRowPressures(report::Document& doc, const Project& p, int r);
void addFootingRowPressures(report::Document& doc, const Project& p, const FootingRow& row);

}  // namespace plintova::report_parts
