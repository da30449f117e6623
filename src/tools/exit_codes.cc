#include "tools/exit_codes.h"

namespace tools {
namespace {

int Rank(int code) {
  switch (code) {
    case kExitOk:
      return 0;
    case kExitFindings:
      return 1;
    case kExitInput:
      return 2;
    case kExitPlugin:
      return 3;
    case kExitUsage:
      return 4;
  }
  return 0;
}

}  // namespace

int MoreSerious(int a, int b) { return Rank(a) >= Rank(b) ? a : b; }

}  // namespace tools
