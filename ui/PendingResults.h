// What the threads that log have recorded for the results tree and the tree's thread has not shown yet:
// one record per log call, in order, with the texts packed into one buffer (a flood of messages costs two
// growing arrays, not an allocation per message).
#pragma once

#include <cstddef>
#include <vector>

class CPendingResults
{
public:
    enum Kind
    {
        KindTestBegin = 0, // text: the test's name; number: its index
        KindTestEnd = 1,   // no number or text: the tree decides whether the test folds
        KindError = 2,     // text: the line as shown; stamp: when it was logged
        KindWarning = 3,
        KindInformation = 4,
        KindRunEnd = 5,
        KindClear = 6
    };

    struct Record
    {
        int kind;
        long number;
        size_t textOffset;
        // The time stamp taken when the message was logged ("" for records without one).
        char stamp[24];
    };

    // Appends a record; text and stamp may be null. False when memory runs out (nothing is added).
    bool Add(int kind, long number, const char* text, const char* stamp);

    size_t GetCount() const { return m_records.size(); }
    bool IsEmpty() const { return m_records.empty(); }
    const Record& Get(size_t index) const { return m_records[index]; }
    // The record's text, always terminated ("" when it had none).
    const char* GetText(const Record& record) const { return m_text.data() + record.textOffset; }
    // Whether any record is an error, warning or information message.
    static bool IsMessage(int kind) { return kind >= KindError && kind <= KindInformation; }

    // Forgets every record; the memory is kept for the next batch.
    void RemoveAll();
    void Swap(CPendingResults& other);

private:
    std::vector<Record> m_records;
    std::vector<char> m_text;
};
