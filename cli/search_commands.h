// ravelo-cli find and replace: the search pane's search and bulk replacement, for scripts.
#pragma once

namespace ravelo::cli {

// find FILE.rvl TEXT [--in all|titles|memos] [--match-case]: the lines of the search pane's result
// list on stdout.
int FindCommand(int argc, char** argv);

// replace IN OUT (--from A --to B | --dictionary FILE) [--in ...] [--match-case]: a bulk
// replacement (a dictionary forward), the completion message on stdout, the result saved as OUT.
int ReplaceCommand(int argc, char** argv);

}  // namespace ravelo::cli
