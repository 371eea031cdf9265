// Which bytes of an input its output keeps, and the encoding they are in.
//
// The output keeps the titles and the header whole, and each row whole
// except the result and notes cells that stand in the header: those are
// replaced in every row whose cells stand in their columns (as many cells as
// the header or more, quoting not broken). Deciding the encoding from the
// kept bytes alone makes a run on the tool's own output read it the same
// way: a byte in a replaced cell is gone after the first run, so it must
// not have decided anything.
#pragma once

#include <cstddef>

#include "batch/byte_stream.h"
#include "batch/csv.h"
#include "batch/header_columns.h"
#include "batch/text_encoding.h"

namespace dravik::batch {

// Whether the bytes of row `record` that the output keeps are valid in
// `codec`'s encoding. A row with a quote problem or fewer cells than the
// header is kept whole; so is a row of a header that replaces no column.
bool keptBytesValid(const CsvRecord& record, const HeaderColumns& columns, Codec& codec);

// The encoding of the input in `source` (read from its start, without a
// byte-order mark) judged by the bytes its output keeps:
//  - The records up to the header (the first that names a shape column read
//    either way, at most kMaxTitleRows titles above it) decide when they
//    hold a byte that is not ASCII: all valid UTF-8 is UTF-8, else GB18030.
//    Neither reading of them can then replace a byte that decided.
//  - Titles and a header of ASCII alone read the same either way, and so
//    name the same replaced columns: the rows' kept bytes decide, UTF-8 when
//    all are valid UTF-8, else GB18030.
// Without a header, any record not valid UTF-8 says GB18030.
Encoding encodingOfKeptBytes(ByteSource& source, std::size_t bufferSize, std::size_t maxRecordSize);

}  // namespace dravik::batch
