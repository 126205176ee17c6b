#include "io/data_file_kind.h"

#include "io/file_text.h"
#include "io/grdecl_scan.h"
#include "io/property_reader.h"
#include "io/well_reader.h"

namespace morvane {

DataFileKind dataFileKindOfText(std::string_view text)
{
    text = grdecl::withoutByteOrderMark(text);
    // A property file is a GRDECL file too; its marker lines set it apart from a grid.
    if (text.find(property_texts::Marker) != std::string_view::npos) return DataFileKind::Property;
    if (looksLikeWellText(text)) return DataFileKind::Well;
    for (std::string_view keyword : {"COORD", "ZCORN", "SPECGRID", "INCLUDE", "coord", "zcorn", "specgrid", "include"})
        if (grdecl::findKeyword(text, keyword) != std::string_view::npos) return DataFileKind::Grid;
    return DataFileKind::Unknown;
}

DataFileKind dataFileKindOf(const std::string& path)
{
    std::string head;
    if (!readFileStart(path, kDataFileProbeBytes, head)) return DataFileKind::Unknown;
    return dataFileKindOfText(head);
}

std::string_view dataFileKindWord(DataFileKind kind)
{
    switch (kind) {
    case DataFileKind::Grid:
        return "grid";
    case DataFileKind::Property:
        return "property";
    case DataFileKind::Well:
        return "well";
    case DataFileKind::Unknown:
        break;
    }
    return "";
}

DataFileKind dataFileKindFromWord(std::string_view word)
{
    for (DataFileKind kind : {DataFileKind::Grid, DataFileKind::Property, DataFileKind::Well})
        if (word == dataFileKindWord(kind)) return kind;
    return DataFileKind::Unknown;
}

}  // namespace morvane
