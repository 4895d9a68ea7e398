// scenario: the installer's compiler for scenario authors. Compiles any line
// definition and train data files, checks them, shows and compares the
// compiled files, draws them, exports the embedded scenario as a starting
// point, makes a scenario's driver documents from its data, and packages a
// scenario as a self-installing program.
#include <cstdio>
#include <string>

#include <CLI/CLI.hpp>

#include "tool/check_command.h"
#include "tool/compile_command.h"
#include "tool/decompile_command.h"
#include "tool/diff_command.h"
#include "tool/documents_command.h"
#include "tool/dump_command.h"
#include "tool/export_command.h"
#include "tool/map_command.h"
#include "tool/new_command.h"
#include "tool/package_command.h"
#include "tool/view_command.h"
#include "util/windows1252.h"

namespace {

using namespace tarvosa::tool;

constexpr const char* kExitStatuses =
    "Exit status: 0 clean, 1 a file could not be read or written, 2 a data error, 3 a fatal "
    "conflict (1250 or 1251), 4 a usage error.";

constexpr const char* kDumpLayout =
    "A track shows cell 0, every cell that holds a feature, a value or an approach code, and "
    "every cell where the profile changes: its metres (cell c stands for 50 x (c - 1) m, where "
    "a feature at that progressive lands), line speed, gradient, adhesion, tunnel type, kind "
    "and what its values mean; the table written beside it (.sim beside .dat) names stations "
    "and boards. A table shows its stations with times, metres and stretches, board texts, "
    "kilometre references, train and line numbers, route and train. A plan shows X and Y by "
    "the metre. JSON adds the members as stored.";

constexpr const char* kDiffMeaning =
    "A and B are two directories, each holding a compiled scenario (found by the endings "
    ".dat, .sim and _linea.dat), or two compiled files of one kind. Every cell and table entry "
    "that differs is shown with its metres and decoded values on each side; the plans by how "
    "many rows differ and their largest distance.\n\nExit status: 0 the same, 1 they differ "
    "or an input is missing or unreadable (with a message), 2 bytes of another layout, 4 a "
    "usage error.";

constexpr const char* kDecompileMeaning =
    "Reads the track (.dat), the table (.sim) and, when there, the plan (_linea.dat) in DIR, "
    "and writes R_linea.txt and R_T-.txt (titles from the table unless --route and --train "
    "say otherwise), which compile to the same bytes. The compiler's own braking points are "
    "left out, as it places them again; curves come from the plan. Where the files do not "
    "hold enough to write a record back exactly, a warning names the cell, entry or row. "
    "Files that are no compiled scenario, or do not belong together, end with 2.";

void AddFileOptions(CLI::App& command, CompileOptions& options) {
  command.add_option("LINE", options.line, "line definition file")
      ->required()
      ->check(CLI::ExistingFile);
  command.add_option("TRAIN", options.train, "train data file")
      ->required()
      ->check(CLI::ExistingFile);
  command.add_option("--route", options.route_title,
                     "route title (default: from LINE's name, R_linea.txt gives R)");
  command.add_option("--train", options.train_title,
                     "train title (default: from TRAIN's name, R_T-.txt gives T)");
  command.add_flag("--strict", options.strict,
                   "count warnings as errors (all but those of lines passed over for a '-')");
}

constexpr const char* kPackageMeaning =
    "DIR holds one scenario: R_linea.txt and R_T-.txt (R and T its titles), and any of "
    "R_T_note.txt, R_T_rallentamenti.txt and R_T_scheda_treno.txt. The scenario must compile "
    "without an error (warnings are printed; --strict refuses them too). A slow-down order or "
    "timetable sheet it lacks is made from its data; without notes the program writes none. "
    "The installer comes from --installer, else from beside this tool (Tarvosa_Corvale, or "
    "Tarvosa_Corvale.exe with --windows), else with --windows from this source tree's "
    "build-windows/src/.";

void AddPackageCommand(CLI::App& app, PackageOptions& options, CLI::App*& command) {
  command = app.add_subcommand(
      "package", "Make a self-installing program of the scenario in DIR, as Tarvosa_Corvale is.");
  command->add_option("DIR", options.directory, "directory of the scenario")
      ->required()
      ->check(CLI::ExistingDirectory);
  command->add_option("-o", options.output, "the program to write")->required();
  command->add_flag("--windows", options.windows, "package the Windows build of the installer");
  command->add_option("--installer", options.installer, "the installer to package");
  command->add_flag("--strict", options.strict,
                    "count warnings as errors (all but those of lines passed over for a '-')");
  command->add_flag("--force", options.force, "replace the program if it exists already");
  command->footer(std::string(kPackageMeaning) + "\n\n" + kExitStatuses);
}

bool TitlesFit(const CompileOptions& options) {
  std::string bytes;
  return !tarvosa::AppendWindows1252(options.route_title, bytes) &&
         !tarvosa::AppendWindows1252(options.train_title, bytes);
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Compiles, checks, shows, compares and draws train-driving scenarios.", "scenario"};
  app.footer(kExitStatuses);
  app.set_version_flag("--version", "scenario 1.0");
  app.require_subcommand(1);

  CompileOptions compile;
  bool no_plan = false;
  auto* compile_command = app.add_subcommand(
      "compile", "Compile LINE and TRAIN into the three compiled files, as the installer does.");
  AddFileOptions(*compile_command, compile);
  compile_command->add_option("-o", compile.output, "directory for the compiled files (default .)")
      ->check(CLI::ExistingDirectory);
  compile_command->add_flag("--no-plan", no_plan, "leave out the plan of the line");
  compile_command->add_flag("--keep-going", compile.keep_going,
                            "write the compiled files after a data error too, as the installer "
                            "does");
  compile_command->footer(kExitStatuses);

  CompileOptions documents;
  bool documents_force = false;
  auto* documents_command = app.add_subcommand(
      "documents",
      "Make the timetable sheet and slow-down order of LINE and TRAIN from their data: "
      "R_T_scheda_treno.txt and R_T_rallentamenti.txt.");
  AddFileOptions(*documents_command, documents);
  documents_command->add_option("-o", documents.output, "directory to write into (default .)");
  documents_command->add_flag("--force", documents_force, "replace files that exist already");
  documents_command->footer(kExitStatuses);

  PackageOptions package;
  CLI::App* package_command = nullptr;
  AddPackageCommand(app, package, package_command);

  CompileOptions check;
  auto* check_command = app.add_subcommand(
      "check",
      "Report what the compiler accepts silently but is almost always a mistake, then "
      "the compiler's verdict. Writes nothing.");
  AddFileOptions(*check_command, check);
  check_command->footer(kExitStatuses);

  DumpOptions dump;
  auto* dump_command = app.add_subcommand(
      "dump", "Show a compiled file as a table an author can read, or as stored (--raw).");
  dump_command->add_option("FILE", dump.file, "track, scenario table or plan file")->required();
  dump_command->add_option("--format", dump.format, "text, csv or json (default text)")
      ->check(CLI::IsMember({"text", "csv", "json"}));
  dump_command
      ->add_option("--kind", dump.kind,
                   "track, table or plan (default: by the layout and its marker)")
      ->check(CLI::IsMember({"track", "table", "plan"}));
  dump_command->add_option("--step", dump.step, "every K-th row of the plan (default 1)");
  dump_command->add_flag("--raw", dump.raw, "every member as stored, not what it means");
  dump_command->add_option("-o", dump.output, "write to this file instead of the standard output");
  dump_command->footer(std::string(kDumpLayout) + "\n\n" + kExitStatuses);

  std::string diff_a, diff_b;
  auto* diff_command = app.add_subcommand(
      "diff", "Show what changed between two compiled scenarios, or two compiled files.");
  diff_command->add_option("A", diff_a, "directory of compiled files, or a compiled file")
      ->required();
  diff_command->add_option("B", diff_b, "the same for the other scenario")->required();
  diff_command->footer(kDiffMeaning);

  std::string map_directory, map_output;
  auto* map_command =
      app.add_subcommand("map", "Draw the compiled scenario in DIR as one SVG page.");
  map_command->add_option("DIR", map_directory, "directory of the three compiled files")
      ->required()
      ->check(CLI::ExistingDirectory);
  map_command->add_option("-o", map_output, "the SVG file to write")->required();
  map_command->footer(kExitStatuses);

  ViewOptions view;
  auto* view_command = app.add_subcommand(
      "view",
      "Write one self-contained HTML page that shows the scenario: from LINE and TRAIN, "
      "compiled in memory, or from DIR, a directory of compiled files.");
  view_command->add_option("INPUTS", view.inputs, "LINE TRAIN, or DIR")->required()->expected(1, 2);
  view_command->add_option("-o", view.output, "the HTML file to write")->required();
  view_command->add_option("--route", view.route_title, "route title (default: from LINE's name)");
  view_command->add_option("--train", view.train_title, "train title (default: from TRAIN's name)");
  view_command->add_flag("--watch", view.watch,
                         "rewrite the page whenever an input changes; the page reloads itself");
  view_command->footer(kExitStatuses);

  std::string export_directory;
  bool export_force = false;
  auto* export_command =
      app.add_subcommand("export", "Write the embedded scenario's five documents into DIR.");
  export_command->add_option("DIR", export_directory, "directory to write into")->required();
  export_command->add_flag("--force", export_force, "replace files that exist already");
  export_command->footer(kExitStatuses);

  std::string new_directory, new_route = "Percorso", new_train = "Treno";
  bool new_force = false;
  auto* new_command = app.add_subcommand(
      "new",
      "Write a small scenario to start from into DIR: R_linea.txt, R_T-.txt and notes, "
      "R_T_note.txt.");
  new_command->add_option("DIR", new_directory, "directory to write into")->required();
  new_command->add_option("--route", new_route, "route title R (default Percorso)");
  new_command->add_option("--train", new_train, "train title T (default Treno)");
  new_command->add_flag("--force", new_force, "replace files that exist already");
  new_command->footer(kExitStatuses);

  DecompileOptions decompile;
  auto* decompile_command = app.add_subcommand(
      "decompile",
      "Write the line definition and train data files that compile to the compiled scenario "
      "in DIR.");
  decompile_command->add_option("DIR", decompile.directory, "directory of the compiled files")
      ->required();
  decompile_command->add_option("-o", decompile.output, "directory to write the two files into")
      ->required();
  decompile_command->add_option("--route", decompile.route_title,
                                "route title R of the files' names (default: the table's)");
  decompile_command->add_option("--train", decompile.train_title,
                                "train title T of the files' names (default: the table's)");
  decompile_command->add_flag("--force", decompile.force, "replace files that exist already");
  decompile_command->footer(std::string(kDecompileMeaning) + "\n\n" + kExitStatuses);

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& success) {
    return app.exit(success);  // --help and --version
  } catch (const CLI::ParseError& error) {
    app.exit(error);
    return kUsage;
  }

  compile.plan = !no_plan;
  for (auto [command, options] : {std::pair{compile_command, &compile},
                                  {check_command, &check},
                                  {documents_command, &documents}}) {
    if (!command->parsed()) continue;
    TitlesFromNames(*options);
    if (!TitlesFit(*options)) {
      std::fprintf(stderr, "scenario: a title has a character with no Windows-1252 byte\n");
      return kUsage;
    }
    if (command == documents_command) return RunDocuments(*options, documents_force);
    return command == compile_command ? RunCompile(*options) : RunCheck(*options);
  }
  if (package_command->parsed()) return RunPackage(package);
  if (new_command->parsed()) {
    CompileOptions titles;
    titles.route_title = new_route, titles.train_title = new_train;
    if (!TitlesFit(titles)) {
      std::fprintf(stderr, "scenario: a title has a character with no Windows-1252 byte\n");
      return kUsage;
    }
    return RunNew(new_directory, new_route, new_train, new_force);
  }
  if (decompile_command->parsed()) {
    CompileOptions titles;
    titles.route_title = decompile.route_title, titles.train_title = decompile.train_title;
    if (!TitlesFit(titles)) {
      std::fprintf(stderr, "scenario: a title has a character with no Windows-1252 byte\n");
      return kUsage;
    }
    return RunDecompile(decompile);
  }
  if (dump_command->parsed()) {
    if (dump.step < 1) {
      std::fprintf(stderr, "the step must be at least 1\n");
      return kUsage;
    }
    return RunDump(dump);
  }
  if (view_command->parsed()) return RunView(view);
  if (diff_command->parsed()) return RunDiff(diff_a, diff_b);
  if (map_command->parsed()) return RunMap(map_directory, map_output);
  return RunExport(export_directory, export_force);
}
