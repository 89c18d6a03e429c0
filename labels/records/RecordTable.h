#pragma once
// One table of the label program held in memory: its records, a current order, an optional
// number filter, a cursor on the current record and the insert/edit/store/cancel cycle the
// windows drive. Failures are EError exceptions with the text the user reads.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "labels/records/FieldTypes.h"
#include "labels/records/TextLocale.h"

enum class TableState { Browse, Edit, Insert };

class RecordTable {
 public:
  RecordTable(const TableSchema& schema, const TextLocale& locale);
  ~RecordTable();
  RecordTable(const RecordTable&) = delete;
  RecordTable& operator=(const RecordTable&) = delete;

  const TableSchema& Schema() const { return schema_; }

  // Opening and closing. A table that is not open refuses every operation below with the
  // text given to SetNotOpenText.
  void Open(TableData data);
  void OpenEmpty() { Open(TableData{}); }
  bool IsOpen() const { return open_; }
  // Throws the not-open text when the table is not open.
  void RequireOpen() const;
  void SetNotOpenText(std::string utf8Text) { notOpenText_ = std::move(utf8Text); }
  // The content to store: live records in insertion order and the next number.
  TableData Content() const;
  // Whether a record was stored or deleted since the table was opened.
  bool Changed() const { return changed_; }
  void MarkSaved() { changed_ = false; }

  // Order: by the named field (text fields by the locale's sort key, ties by record
  // number), or "" for insertion order. The cursor goes to the first record.
  void SetOrder(std::string_view fieldName);
  const std::string& Order() const { return orderName_; }

  // Filter: only "<number field> IN(...)"; the cursor goes to the first record.
  void SetFilter(std::string_view expression);
  void ClearFilter();
  bool Filtered() const { return filter_.has_value(); }

  // Walking in the current order, through the records the filter lets through.
  void First();
  void Next();
  bool Eof() const;
  bool IsEmpty() const;
  int RecordCount() const;

  TableState State() const { return state_; }
  void Insert();
  void Edit();
  void Post();
  void Cancel();
  void Delete();

  // Makes the record with this number current; fails with "<Contact number> 12 not found."
  // and leaves the cursor where it was.
  void LocateNumber(std::int32_t number);
  // Makes the first record (in insertion order) whose field equals the text, case
  // sensitive, current; false (nothing changed) when there is none.
  bool LocateText(int field, std::string_view text);

  // Fields of the current record (of the record being edited or inserted).
  std::string AsText(int field) const;
  bool IsNull(int field) const;
  std::int32_t AsInteger(int field) const;  // 0 for null
  double AsFloat(int field) const;          // 0 for null
  std::int32_t Number() const;              // the current record's number
  // Text fields are cut to their maximum length; empty text makes the field null. Numeric
  // fields take their value in decimal ("" is null) and refuse other text.
  void SetText(int field, std::string_view text);
  void SetInteger(int field, std::int32_t value);
  void SetFloat(int field, double value);
  void SetNull(int field);

  int FieldIndex(std::string_view name) const;  // throws for an unknown name

 private:
  struct Row;

  void RequireBrowse() const;
  void RequireEditing() const;
  void RequireCurrent() const;
  void CheckField(int field) const;
  const std::vector<FieldValue>& CurrentValues() const;
  std::vector<FieldValue>& EditValues(int field);
  bool Visible(const Row* row) const;
  bool SortsByText() const;
  bool Before(const Row* a, const Row* b) const;
  void RefreshSortKey(Row& row) const;
  // Brings order_ up to date: dead rows out, sorted, positions numbered.
  void EnsureOrder();
  void Compact();
  Row* VisibleFrom(std::size_t pos, int step);
  std::int32_t NumberOf(const Row& row) const;

  const TableSchema& schema_;
  const TextLocale& locale_;
  int numberField_;
  bool open_ = false;
  bool changed_ = false;
  std::string notOpenText_;

  std::vector<std::unique_ptr<Row>> rows_;  // insertion order, dead rows until compacted
  std::vector<Row*> order_;                 // the current order, maybe with dead rows
  std::unordered_map<std::int32_t, Row*> byNumber_;
  std::size_t deadRows_ = 0;
  bool orderStale_ = false;  // needs sorting (or compacting)
  std::uint64_t nextSeq_ = 0;
  std::int32_t nextNumber_ = 1;

  int orderField_ = -1;
  std::string orderName_;
  std::optional<std::unordered_set<std::int32_t>> filter_;

  Row* current_ = nullptr;
  bool eof_ = true;
  TableState state_ = TableState::Browse;
  std::vector<FieldValue> buffer_;  // the record being edited or inserted
};
