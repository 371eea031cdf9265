// `dravik --sheets FILE.csv -o BOOK.pdf`: one PDF with a cover, the
// calculation sheet of every calculated row of a building's file, and a
// summary table. Runs without a window; pages go to the PDF writer as they
// are made, so memory does not grow with the file.
#pragma once

namespace dravik::shell {

// Runs the whole request in a program that has not started Qt yet: sets the
// offscreen platform unless one is given, starts the application, writes the
// book. Returns the exit status, as dravik-batch's for the same file.
int runSheetBook(int argc, char* argv[]);

}  // namespace dravik::shell
