#pragma once

#include <QString>

namespace ovanto {

class ElementContext;
class TGraph;

// The version number of the records being read; readers set it from the file
// before they create elements. Outside a read it is this build's own version.
int RecordVersion();
void SetRecordVersion(int version);

// The record version read from a file governs that file's records only.
class RecordVersionScope {
public:
    RecordVersionScope() : m_previous(RecordVersion()) {}
    ~RecordVersionScope() { SetRecordVersion(m_previous); }
    RecordVersionScope(const RecordVersionScope&) = delete;
    RecordVersionScope& operator=(const RecordVersionScope&) = delete;

private:
    int m_previous;
};

// Takes the text before the first TAB into field and removes it with the TAB
// from s. Without a TAB, field is the whole of s and s stays as it is, so a
// record that ends early repeats its last field.
void NextField(QString& s, QString& field);

// Creates the element a record names, loads its fields and appends it to the
// window's list. Unknown keywords create nothing and give nullptr. A field
// that must be an integer and is not raises ConversionError; the half-read
// element is then dropped, so a reader can go on with the next record.
TGraph* ReadRecord(ElementContext& window, const QString& line);

QString WriteRecord(const TGraph& element);

} // namespace ovanto
