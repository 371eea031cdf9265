#include "shell/sheet_book.h"

#include <fcntl.h>
#include <unistd.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDateTime>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <cstdio>
#include <vector>

#include "batch/text_encoding.h"
#include "batch/translate.h"
#include "book/book_html.h"
#include "book/book_options.h"
#include "book/book_texts.h"
#include "book/building_rows.h"
#include "layouts/windows.h"
#include "sections/shapes.h"
#include "sheet/sheet_review.h"
#include "sheet/sheet_texts.h"
#include "sheet/window_texts.h"
#include "shell/appearance.h"
#include "shell/checked_save.h"
#include "shell/qt_text.h"
#include "shell/sheet_document.h"
#include "shell/sheet_pages.h"
#include "shell/sheet_settings.h"

namespace dravik::shell {
namespace {

using book::BookOptions;
using book::readBookOptions;
using sheet::texts::filled;

// Resolution of the book's pages: the diagrams are drawn at it. Finer than
// a printer shows their lines, and it keeps a thousand pages quick.
constexpr int kBookDpi = 300;

// Lines of progress on standard error: one every this many sheets.
constexpr int kProgressEvery = 100;

void say(const std::string& line) {
    const std::string text = line + "\n";
    std::fwrite(text.data(), 1, text.size(), stderr);
}

// A page of the book other than a sheet: the cover, the summary.
std::unique_ptr<QTextDocument> bookDocument(const std::string& html, QPagedPaintDevice& device) {
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    QFont font = songFont(12);
    font.setPointSizeF(9);
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    document->setPageSize(QSizeF(device.width(), textHeightOn(device)));
    document->setHtml(qs(html));
    return document;
}

review::TitleBlock bookTitleBlock(const BookOptions& options) {
    review::TitleBlock block = rememberedSheetInfo().titleBlock;
    for (const auto& [key, value] : options.titleFields) {
        for (const review::TitleField& field : review::titleFields()) {
            if (field.key == key) block.*field.member = value;
        }
    }
    return block;
}

// The result titles of the summary: the windows' labels, the same in each.
std::array<std::string, 3> resultTitles() {
    const sections::SectionShape& shape = *sections::allShapes()[0];
    const layouts::WindowLayout& layout = *layouts::calculatorLayout(shape.windowName);
    std::array<std::string, 3> titles;
    for (sections::Result r : sections::kAllResults)
        titles[static_cast<std::size_t>(r)] = std::string(sheet::resultLabel(layout, r));
    return titles;
}

int writeBook(const BookOptions& options) {
    // The book is a Chinese document: the batch reading's notes in its
    // summary, and its lines on standard error, are Chinese whatever the
    // terminal's locale, as the rest of the book is.
    batch::useChineseTexts();
    const int fd = ::open(options.input.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        say(filled(book::texts::kCannotRead, {options.input}));
        return batch::kExitTrouble;
    }
    batch::FdSource input(fd);
    batch::BatchOptions batchOptions;
    batchOptions.strict = options.strict;
    batchOptions.lenient = options.lenient;
    batchOptions.defaults = options.defaults;
    if (!options.encoding.empty()) batchOptions.encoding = batch::encodingNamed(options.encoding);

    const review::TitleBlock block = bookTitleBlock(options);
    const std::string dateTime =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")).toStdString();
    const std::string programLine = std::string(layouts::kProgramTitle) + " " + DRAVIK_VERSION;

    int status = batch::kExitOk;
    int sheets = 0;
    int summaryPages = 0;
    // Written through a temporary file: a book that cannot be finished
    // leaves whatever file was there.
    const QString problem = saveChecked(QString::fromLocal8Bit(options.output.c_str()), [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setPageLayout(sheetPageLayout());
        writer.setResolution(kBookDpi);
        writer.setTitle(qs(block.project) + QLatin1Char(' ') + qs(book::texts::kBookTitle));
        writer.setCreator(qs(programLine));
        QPainter painter;
        if (!painter.begin(&writer)) return false;
        const QString bookName = qs(block.project + " " + block.building);
        drawPagesWithFooter(*bookDocument(book::coverHtml(block, programLine), writer), writer, painter, bookName,
                            false);

        std::vector<book::SummaryEntry> entries;
        book::BookCounts counts;
        const batch::BatchSummary summary = book::readBuilding(
            input, batchOptions, [](std::string_view message) { say("dravik：" + std::string(message)); },
            [&](const book::BuildingRow& row) {
                ++counts.rows;
                book::SummaryEntry entry;
                entry.record = row.record;
                entry.memberId = row.memberId;
                entry.shape = row.shape ? std::string(row.shape->typeName) : row.shapeText;
                if (!row.calculated) {
                    entry.why = row.notes;
                    entries.push_back(std::move(entry));
                    return;
                }
                std::vector<std::string_view> texts(row.fieldTexts.begin(), row.fieldTexts.end());
                sheet::CalculationSheet s = sheet::makeSheet(*row.shape, texts, dateTime, DRAVIK_VERSION);
                review::TitleBlock rowBlock = block;
                rowBlock.memberId = row.memberId;
                if (!row.floor.empty()) rowBlock.floor = row.floor;
                sheet::addReview(s, rowBlock, row.requirements);
                drawSheetPages(s, *sheetDocument(s, writer), writer, painter, true);

                ++counts.calculated;
                entry.calculated = true;
                for (std::size_t k = 0; k < 3; ++k) entry.results[k] = s.figures[k].paperText;
                const review::DesignCheck& check = s.check;
                entry.verdict = review::checkVerdict(check);
                // A check with a requirement it could not use is no pass.
                if (check.any() && !check.met())
                    ++counts.notMet;
                else if (check.any() && check.problem.empty())
                    ++counts.met;
                entries.push_back(std::move(entry));
                if (++sheets % kProgressEvery == 0)
                    say(filled(book::texts::kProgress, {std::to_string(sheets), std::to_string(row.record)}));
            });
        status = summary.exitStatus;
        if (status == batch::kExitTrouble) {
            painter.end();
            return false;
        }
        auto summaryDocument = bookDocument(book::summaryHtml(entries, resultTitles(), counts), writer);
        summaryPages = summaryDocument->pageCount();
        drawPagesWithFooter(*summaryDocument, writer, painter, qs(book::texts::kSummaryTitle), true);
        return painter.end();
    });
    ::close(fd);
    if (status == batch::kExitTrouble) return status;  // the batch reading said why
    if (!problem.isEmpty()) {
        say(filled(book::texts::kBookNotWritten, {problem.toStdString()}));
        return batch::kExitTrouble;
    }
    say(filled(book::texts::kBookWritten, {options.output, std::to_string(sheets), std::to_string(summaryPages)}));
    return status;
}

}  // namespace

int runSheetBook(int argc, char* argv[]) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string error;
    const std::optional<BookOptions> options = readBookOptions(args, error);
    if (!options) {
        say(error);
        return batch::kExitTrouble;
    }
    // No display is needed: no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    prepareApplication(app);
    return writeBook(*options);
}

}  // namespace dravik::shell
