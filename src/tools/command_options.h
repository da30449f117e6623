#ifndef VANTREL_TOOLS_COMMAND_OPTIONS_H_
#define VANTREL_TOOLS_COMMAND_OPTIONS_H_

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "formats/vessel_mass.h"

namespace CLI {
class App;
}

namespace tools {

// The options that several commands take, each written and checked in one
// place.

// --root DIR, the host folder.
void AddRootOption(CLI::App& command, std::optional<std::string>& root,
                   const std::string& description = "Host folder (default: .)");

// --plugin FILE, the plug-in library to load.
void AddPluginOption(CLI::App& command, std::optional<std::string>& plugin);

// --mass KG, a vessel's mass: a positive, finite number of kg.
void AddMassOption(CLI::App& command, std::optional<double>& mass,
                   const std::string& description);

// --body NAME, the body the command lands the vessel on (default
// vessel::kDefaultBody), whose file gives the surface gravity; and
// --gravity G (m/s^2), which overrides that gravity.
void AddBodyOptions(CLI::App& command, std::string& body,
                    std::optional<double>& gravity);

// --mass CLASS=KG, repeatable: the empty mass of every vessel of a class.
void AddClassMassOption(CLI::App& command,
                        std::vector<formats::ClassMass>& masses,
                        const std::string& description);

// The masses --mass CLASS=KG gave, by class folded as the host compares
// class names, as the stand-in takes them (SessionOptions::class_masses);
// a class given twice takes the last.
std::map<std::string, double> ClassMassesOf(
    const std::vector<formats::ClassMass>& masses);

// "vantrel COMMAND --root DIR --name NAME --class CLASS", with each option
// that is given, quoted as a shell needs it: the command line a message
// suggests.
std::string CommandLineOf(const std::string& command,
                          const std::optional<std::string>& root,
                          const std::optional<std::string>& name,
                          const std::optional<std::string>& class_name);

}  // namespace tools

#endif  // VANTREL_TOOLS_COMMAND_OPTIONS_H_
