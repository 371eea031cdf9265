// Renders each of the five windows, as it first appears, to a PNG file
// (start.png, azpjl.png, lxzjzpjl.png, yzpjl.png, zxzjzpjl.png), and with a
// second directory writes each shape's calculation sheet at its default
// inputs there as a PDF file (azpjl.pdf …), and again with a title block and
// the check (azpjl-reviewed.pdf …):
//   dravik-screenshots OUTPUT_DIR [SHEETS_DIR]
// Runs on any Qt platform, the offscreen one included.
#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "sections/shapes.h"
#include "sheet/calculation_sheet.h"
#include "sheet/sheet_review.h"
#include "shell/appearance.h"
#include "shell/program_window.h"
#include "shell/qt_text.h"
#include "shell/sheet_document.h"
#include "shell/window_manager.h"

using namespace dravik;

namespace {

const dravik::review::TitleBlock kReviewedTitleBlock{"滨江花园", "3号楼", "GBZ1", "1～3层",
                                                     "张工",     "李工",  "王工", "2026-12-08"};
const dravik::review::Requirements kMetRequirements{"C30", "HRB400", "0.20", "1.00"};
const dravik::review::Requirements kUnmetRequirements{"C60", "HRB400", "0.24", "1.20"};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2 && argc != 3) {
        err << "usage: dravik-screenshots OUTPUT_DIR [SHEETS_DIR]\n";
        return 2;
    }
    shell::prepareApplication(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }
    QStringList names{shell::kStartWindowName};
    for (const sections::SectionShape* shape : sections::allShapes()) names << shell::qs(shape->windowName);
    int failures = 0;
    for (const QString& name : names) {
        shell::WindowManager windows;
        windows.show(name);
        shell::ProgramWindow* window = windows.window(name);
        if (window == nullptr) {
            err << "could not open " << name << "\n";
            ++failures;
            continue;
        }
        QApplication::processEvents();
        const QString base = name == shell::kStartWindowName ? QStringLiteral("start") : name;
        const QString file = out.filePath(base + QStringLiteral(".png"));
        if (!window->grab().save(file)) {
            err << "could not write " << file << "\n";
            ++failures;
        }
    }
    if (argc == 3) {
        const QDir sheets(QString::fromLocal8Bit(argv[2]));
        QDir().mkpath(sheets.path());
        for (const sections::SectionShape* shape : sections::allShapes()) {
            std::vector<std::string_view> defaults;
            for (const sections::InputField& input : shape->inputs) defaults.push_back(input.defaultText);
            // A fixed time, so that the pictures of the sheets change only
            // when the sheets do.
            sheet::CalculationSheet s = sheet::makeSheet(*shape, defaults, "2026-12-08 09:00", DRAVIK_VERSION);
            const QString file = sheets.filePath(shell::qs(shape->windowName) + QStringLiteral(".pdf"));
            if (const QString error = shell::writeSheetPdf(s, file); !error.isEmpty()) {
                err << "could not write " << file << ": " << error << "\n";
                ++failures;
            }
            // The same sheet as a design review gets it: with its title
            // block and the check, met for the rectangle and the L shape,
            // not met for the others.
            const bool met = shape == &sections::kRectangle || shape == &sections::kLShape;
            sheet::addReview(s, kReviewedTitleBlock, met ? kMetRequirements : kUnmetRequirements);
            const QString reviewed = sheets.filePath(shell::qs(shape->windowName) + QStringLiteral("-reviewed.pdf"));
            if (const QString error = shell::writeSheetPdf(s, reviewed); !error.isEmpty()) {
                err << "could not write " << reviewed << ": " << error << "\n";
                ++failures;
            }
        }
    }
    return failures == 0 ? 0 : 1;
}
