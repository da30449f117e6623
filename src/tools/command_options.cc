#include "tools/command_options.h"

#include <CLI/CLI.hpp>

#include "formats/item_file.h"
#include "tools/output_guard.h"

namespace tools {

namespace {

// The mass rule of scenarios and class files: one short line instead of
// CLI11's ranges.
const CLI::Validator kVesselMass(
    [](std::string& text) {
      return formats::ParseVesselMass(text) ? std::string()
                                            : formats::NotAMass(text);
    },
    "");

const CLI::Validator kClassMass(
    [](std::string& text) {
      return formats::ParseClassMass(text) ? std::string()
                                           : formats::NotAClassMass(text);
    },
    "");

}  // namespace

void AddRootOption(CLI::App& command, std::optional<std::string>& root,
                   const std::string& description) {
  command.add_option("--root", root, description)->type_name("DIR");
}

void AddPluginOption(CLI::App& command, std::optional<std::string>& plugin) {
  command
      .add_option("--plugin", plugin,
                  "Plug-in library to load (default: "
                  "Modules/Plugin/ beside this program)")
      ->type_name("FILE");
}

void AddMassOption(CLI::App& command, std::optional<double>& mass,
                   const std::string& description) {
  command.add_option("--mass", mass, description)
      ->check(kVesselMass)
      ->type_name("KG");
}

std::map<std::string, double> ClassMassesOf(
    const std::vector<formats::ClassMass>& masses) {
  std::map<std::string, double> by_class;
  for (const formats::ClassMass& given : masses) {
    by_class[formats::FoldCase(given.class_name)] = given.kg;
  }
  return by_class;
}

void AddBodyOptions(CLI::App& command, std::string& body,
                    std::optional<double>& gravity) {
  command
      .add_option("--body", body,
                  "The body the vessel stands on; its file "
                  "Config/NAME.cfg gives the surface gravity G M / Size^2")
      ->type_name("NAME")
      ->capture_default_str();
  command
      .add_option("--gravity", gravity,
                  "Surface gravity in m/s^2, instead of the body file's")
      ->check(CLI::Range(0.01, 1000.0))
      ->type_name("G");
}

void AddClassMassOption(CLI::App& command,
                        std::vector<formats::ClassMass>& masses,
                        const std::string& description) {
  command
      .add_option_function<std::vector<std::string>>(
          "--mass",
          [&masses](const std::vector<std::string>& given) {
            for (const std::string& text : given) {
              masses.push_back(*formats::ParseClassMass(text));
            }
          },
          description)
      ->check(kClassMass)
      ->type_name("CLASS=KG")
      ->allow_extra_args(false);
}

std::string CommandLineOf(const std::string& command,
                          const std::optional<std::string>& root,
                          const std::optional<std::string>& name,
                          const std::optional<std::string>& class_name) {
  std::string line = "vantrel " + command;
  if (root) line += " --root " + Quoted(*root);
  if (name) line += " --name " + Quoted(*name);
  if (class_name) line += " --class " + Quoted(*class_name);
  return line;
}

}  // namespace tools
