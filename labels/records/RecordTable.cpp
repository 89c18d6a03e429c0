#include "labels/records/RecordTable.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "labels/records/NumberFilter.h"
#include "platform/Error.h"

struct RecordTable::Row {
  std::vector<FieldValue> values;
  std::string sortKey;    // for a text order
  std::uint64_t seq = 0;  // insertion order
  std::size_t pos = 0;    // index in order_ while the order is not stale
  bool alive = true;
};

namespace {

std::string_view TrimSpaces(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string FormatFloat(double v) {
  char buf[32];
  const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
  return ec == std::errc() ? std::string(buf, end) : std::string();
}

}  // namespace

RecordTable::RecordTable(const TableSchema& schema, const TextLocale& locale)
    : schema_(schema),
      locale_(locale),
      numberField_(schema.NumberField()),
      notOpenText_("The " + schema.recordsText + " are not open") {}

RecordTable::~RecordTable() = default;

// Opening ----------------------------------------------------------------------------------

void RecordTable::Open(TableData data) {
  rows_.clear();
  order_.clear();
  byNumber_.clear();
  deadRows_ = 0;
  nextSeq_ = 0;
  for (auto& values : data.records) {
    if (values.size() != schema_.fields.size())
      throw EError("A record of the " + schema_.recordsText + " does not fit the table");
    auto row = std::make_unique<Row>();
    row->values = std::move(values);
    row->seq = nextSeq_++;
    if (numberField_ >= 0) byNumber_[NumberOf(*row)] = row.get();
    rows_.push_back(std::move(row));
  }
  nextNumber_ = data.nextNumber;
  orderField_ = -1;
  orderName_.clear();
  filter_.reset();
  state_ = TableState::Browse;
  buffer_.clear();
  changed_ = false;
  open_ = true;
  orderStale_ = true;
  First();
}

TableData RecordTable::Content() const {
  RequireOpen();
  TableData data;
  data.nextNumber = nextNumber_;
  data.records.reserve(rows_.size() - deadRows_);
  for (const auto& row : rows_)
    if (row->alive) data.records.push_back(row->values);
  return data;
}

// Checks -----------------------------------------------------------------------------------

void RecordTable::RequireOpen() const {
  if (!open_) throw EError(notOpenText_);
}

void RecordTable::RequireBrowse() const {
  RequireOpen();
  if (state_ != TableState::Browse)
    throw EError("A record of the " + schema_.recordsText +
                 " is being edited; store or cancel it first");
}

void RecordTable::RequireEditing() const {
  RequireOpen();
  if (state_ == TableState::Browse)
    throw EError("No record of the " + schema_.recordsText + " is being edited");
}

void RecordTable::RequireCurrent() const {
  if (!current_) throw EError("There is no current record in the " + schema_.recordsText);
}

void RecordTable::CheckField(int field) const {
  if (field < 0 || field >= static_cast<int>(schema_.fields.size()))
    throw EError("The " + schema_.recordsText + " have no field " + std::to_string(field));
}

int RecordTable::FieldIndex(std::string_view name) const {
  const int i = schema_.FieldIndex(name);
  if (i < 0) throw EError("Field '" + std::string(name) + "' not found");
  return i;
}

std::int32_t RecordTable::NumberOf(const Row& row) const {
  const auto* n = std::get_if<std::int32_t>(&row.values[static_cast<std::size_t>(numberField_)]);
  return n ? *n : 0;
}

// Order and filter -------------------------------------------------------------------------

bool RecordTable::SortsByText() const {
  return orderField_ >= 0 &&
         schema_.fields[static_cast<std::size_t>(orderField_)].type == FieldType::Text;
}

void RecordTable::RefreshSortKey(Row& row) const {
  if (SortsByText())
    row.sortKey = locale_.SortKey(std::visit(
        [](const auto& v) -> std::string_view {
          if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>)
            return v;
          else
            return {};
        },
        row.values[static_cast<std::size_t>(orderField_)]));
  else
    row.sortKey.clear();
}

bool RecordTable::Before(const Row* a, const Row* b) const {
  if (orderField_ >= 0) {
    if (SortsByText()) {
      const int c = a->sortKey.compare(b->sortKey);
      if (c != 0) return c < 0;
    } else {
      const auto key = [&](const Row* r) {
        const FieldValue& v = r->values[static_cast<std::size_t>(orderField_)];
        if (const auto* i = std::get_if<std::int32_t>(&v))
          return std::pair{1, static_cast<double>(*i)};
        if (const auto* d = std::get_if<double>(&v)) return std::pair{1, *d};
        return std::pair{0, 0.0};  // null first
      };
      const auto ka = key(a), kb = key(b);
      if (ka != kb) return ka < kb;
    }
  }
  if (numberField_ >= 0 && NumberOf(*a) != NumberOf(*b)) return NumberOf(*a) < NumberOf(*b);
  return a->seq < b->seq;
}

void RecordTable::Compact() {
  std::erase_if(order_, [](const Row* r) { return !r->alive; });
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i]->pos = i;
  std::erase_if(rows_, [](const std::unique_ptr<Row>& r) { return !r->alive; });
  deadRows_ = 0;
}

void RecordTable::EnsureOrder() {
  if (orderStale_) {
    order_.clear();
    order_.reserve(rows_.size());
    for (const auto& row : rows_)
      if (row->alive) order_.push_back(row.get());
    if (orderField_ >= 0)
      std::sort(order_.begin(), order_.end(),
                [this](const Row* a, const Row* b) { return Before(a, b); });
    for (std::size_t i = 0; i < order_.size(); ++i) order_[i]->pos = i;
    orderStale_ = false;
  }
  if (deadRows_ > 64 && deadRows_ * 2 > rows_.size()) Compact();
}

void RecordTable::SetOrder(std::string_view fieldName) {
  RequireBrowse();
  orderField_ = fieldName.empty() ? -1 : FieldIndex(fieldName);
  orderName_ = std::string(fieldName);
  for (const auto& row : rows_) RefreshSortKey(*row);
  orderStale_ = true;
  First();
}

void RecordTable::SetFilter(std::string_view expression) {
  RequireBrowse();
  NumberFilter parsed = ParseNumberFilter(expression);
  if (numberField_ < 0 ||
      parsed.field != schema_.fields[static_cast<std::size_t>(numberField_)].name)
    throw EError("The " + schema_.recordsText + " cannot be filtered on " + parsed.field);
  filter_.emplace(parsed.numbers.begin(), parsed.numbers.end());
  First();
}

void RecordTable::ClearFilter() {
  RequireBrowse();
  filter_.reset();
  First();
}

bool RecordTable::Visible(const Row* row) const {
  return row->alive && (!filter_ || filter_->count(NumberOf(*row)) != 0);
}

// Walking ----------------------------------------------------------------------------------

RecordTable::Row* RecordTable::VisibleFrom(std::size_t pos, int step) {
  if (step > 0) {
    for (std::size_t i = pos; i < order_.size(); ++i)
      if (Visible(order_[i])) return order_[i];
    return nullptr;
  }
  for (std::size_t i = std::min(pos + 1, order_.size()); i-- > 0;)
    if (Visible(order_[i])) return order_[i];
  return nullptr;
}

void RecordTable::First() {
  RequireBrowse();
  EnsureOrder();
  current_ = VisibleFrom(0, 1);
  eof_ = current_ == nullptr;
}

void RecordTable::Next() {
  RequireBrowse();
  if (eof_ || !current_) {
    eof_ = true;
    return;
  }
  EnsureOrder();
  if (Row* next = VisibleFrom(current_->pos + 1, 1))
    current_ = next;
  else
    eof_ = true;
}

bool RecordTable::Eof() const {
  RequireOpen();
  return eof_;
}

bool RecordTable::IsEmpty() const { return RecordCount() == 0; }

int RecordTable::RecordCount() const {
  RequireOpen();
  if (!filter_) return static_cast<int>(rows_.size() - deadRows_);
  int n = 0;
  for (const std::int32_t number : *filter_) n += byNumber_.count(number) ? 1 : 0;
  return n;
}

// Editing ----------------------------------------------------------------------------------

void RecordTable::Insert() {
  RequireBrowse();
  buffer_.assign(schema_.fields.size(), FieldValue{});
  state_ = TableState::Insert;
}

void RecordTable::Edit() {
  RequireBrowse();
  RequireCurrent();
  buffer_ = current_->values;
  state_ = TableState::Edit;
}

void RecordTable::Post() {
  RequireEditing();
  if (state_ == TableState::Insert) {
    auto row = std::make_unique<Row>();
    if (numberField_ >= 0) {
      if (nextNumber_ == std::numeric_limits<std::int32_t>::max())
        throw EError("The " + schema_.recordsText + " have run out of record numbers");
      buffer_[static_cast<std::size_t>(numberField_)] = nextNumber_;
    }
    row->values = std::move(buffer_);
    row->seq = nextSeq_++;
    RefreshSortKey(*row);
    Row* added = row.get();
    rows_.push_back(std::move(row));
    if (numberField_ >= 0) {
      byNumber_[nextNumber_] = added;
      ++nextNumber_;
    }
    // A new record sorts last in number and insertion order; a text order is re-sorted
    // when next walked.
    if (!orderStale_ && (orderField_ < 0 || orderField_ == numberField_)) {
      added->pos = order_.size();
      order_.push_back(added);
    } else {
      orderStale_ = true;
    }
    current_ = added;
    changed_ = true;
  } else {
    if (buffer_ != current_->values) {
      const bool keyChanged =
          orderField_ >= 0 && buffer_[static_cast<std::size_t>(orderField_)] !=
                                  current_->values[static_cast<std::size_t>(orderField_)];
      current_->values = std::move(buffer_);
      if (keyChanged) {
        RefreshSortKey(*current_);
        orderStale_ = true;
      }
      changed_ = true;
    }
  }
  buffer_.clear();
  eof_ = false;
  state_ = TableState::Browse;
}

void RecordTable::Cancel() {
  RequireOpen();
  buffer_.clear();
  state_ = TableState::Browse;
}

void RecordTable::Delete() {
  RequireBrowse();
  RequireCurrent();
  EnsureOrder();
  Row* doomed = current_;
  doomed->alive = false;
  ++deadRows_;
  if (numberField_ >= 0) byNumber_.erase(NumberOf(*doomed));
  Row* next = VisibleFrom(doomed->pos + 1, 1);
  if (!next && doomed->pos > 0) next = VisibleFrom(doomed->pos - 1, -1);
  current_ = next;
  eof_ = next == nullptr;
  changed_ = true;
}

// Locating ---------------------------------------------------------------------------------

void RecordTable::LocateNumber(std::int32_t number) {
  RequireBrowse();
  const auto found = numberField_ >= 0 ? byNumber_.find(number) : byNumber_.end();
  if (found == byNumber_.end() || !Visible(found->second))
    throw EError(schema_.numberText + " " + std::to_string(number) + " not found.");
  current_ = found->second;
  eof_ = false;
}

bool RecordTable::LocateText(int field, std::string_view text) {
  RequireBrowse();
  CheckField(field);
  for (const auto& row : rows_) {
    if (!Visible(row.get())) continue;
    const auto* s = std::get_if<std::string>(&row->values[static_cast<std::size_t>(field)]);
    if ((s && *s == text) || (!s && text.empty())) {
      current_ = row.get();
      eof_ = false;
      return true;
    }
  }
  return false;
}

// Fields -----------------------------------------------------------------------------------

const std::vector<FieldValue>& RecordTable::CurrentValues() const {
  RequireOpen();
  if (state_ != TableState::Browse) return buffer_;
  RequireCurrent();
  return current_->values;
}

std::vector<FieldValue>& RecordTable::EditValues(int field) {
  RequireEditing();
  CheckField(field);
  if (schema_.fields[static_cast<std::size_t>(field)].type == FieldType::AutoInc)
    throw EError("Field '" + schema_.fields[static_cast<std::size_t>(field)].name +
                 "' cannot be modified");
  return buffer_;
}

std::string RecordTable::AsText(int field) const {
  CheckField(field);
  const FieldValue& v = CurrentValues()[static_cast<std::size_t>(field)];
  if (const auto* s = std::get_if<std::string>(&v)) return *s;
  if (const auto* i = std::get_if<std::int32_t>(&v)) return std::to_string(*i);
  if (const auto* d = std::get_if<double>(&v)) return FormatFloat(*d);
  return {};
}

bool RecordTable::IsNull(int field) const {
  CheckField(field);
  return std::holds_alternative<std::monostate>(CurrentValues()[static_cast<std::size_t>(field)]);
}

std::int32_t RecordTable::AsInteger(int field) const {
  CheckField(field);
  const FieldValue& v = CurrentValues()[static_cast<std::size_t>(field)];
  if (const auto* i = std::get_if<std::int32_t>(&v)) return *i;
  if (const auto* d = std::get_if<double>(&v)) return static_cast<std::int32_t>(*d);
  if (std::holds_alternative<std::monostate>(v)) return 0;
  throw EError("Field '" + schema_.fields[static_cast<std::size_t>(field)].name +
               "' is not a number");
}

double RecordTable::AsFloat(int field) const {
  CheckField(field);
  const FieldValue& v = CurrentValues()[static_cast<std::size_t>(field)];
  if (const auto* d = std::get_if<double>(&v)) return *d;
  if (const auto* i = std::get_if<std::int32_t>(&v)) return *i;
  if (std::holds_alternative<std::monostate>(v)) return 0;
  throw EError("Field '" + schema_.fields[static_cast<std::size_t>(field)].name +
               "' is not a number");
}

std::int32_t RecordTable::Number() const {
  if (numberField_ < 0) throw EError("The " + schema_.recordsText + " have no record numbers");
  return AsInteger(numberField_);
}

void RecordTable::SetText(int field, std::string_view text) {
  std::vector<FieldValue>& values = EditValues(field);
  const FieldDef& def = schema_.fields[static_cast<std::size_t>(field)];
  FieldValue& v = values[static_cast<std::size_t>(field)];
  if (def.type == FieldType::Text) {
    if (text.empty())
      v = std::monostate{};
    else
      v = std::string(text.substr(0, static_cast<std::size_t>(def.maxLength)));
    return;
  }
  const std::string_view number = TrimSpaces(text);
  if (number.empty()) {
    v = std::monostate{};
    return;
  }
  const char* first = number.data() + (number.front() == '+' ? 1 : 0);
  const char* last = number.data() + number.size();
  if (def.type == FieldType::Integer) {
    std::int32_t n = 0;
    const auto [end, ec] = std::from_chars(first, last, n);
    if (ec == std::errc() && end == last) {
      v = n;
      return;
    }
    throw EError("'" + locale_.ToUtf8(text) + "' is not a valid integer value for field '" +
                 def.name + "'");
  }
  double d = 0;
  const auto [end, ec] = std::from_chars(first, last, d);
  if (ec == std::errc() && end == last) {
    v = d;
    return;
  }
  throw EError("'" + locale_.ToUtf8(text) + "' is not a valid number for field '" + def.name + "'");
}

void RecordTable::SetInteger(int field, std::int32_t value) {
  std::vector<FieldValue>& values = EditValues(field);
  const FieldType type = schema_.fields[static_cast<std::size_t>(field)].type;
  if (type == FieldType::Text)
    SetText(field, std::to_string(value));
  else if (type == FieldType::Float)
    values[static_cast<std::size_t>(field)] = static_cast<double>(value);
  else
    values[static_cast<std::size_t>(field)] = value;
}

void RecordTable::SetFloat(int field, double value) {
  std::vector<FieldValue>& values = EditValues(field);
  const FieldType type = schema_.fields[static_cast<std::size_t>(field)].type;
  if (type == FieldType::Float)
    values[static_cast<std::size_t>(field)] = value;
  else
    SetText(field, FormatFloat(value));
}

void RecordTable::SetNull(int field) {
  EditValues(field)[static_cast<std::size_t>(field)] = std::monostate{};
}
