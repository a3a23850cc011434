#include "dataset/Dataset.h"
#include "db/DatabaseError.h"
#include "platform/ErroreProgrammazione.h"

#include <QDateTime>
#include <algorithm>
#include <stdexcept>

namespace mavo {

namespace {

bool sameValue(const QVariant& a, const QVariant& b, bool caseInsensitive, bool partial) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    const int ta = a.typeId();
    if (ta == QMetaType::QString || b.typeId() == QMetaType::QString) {
        const QString x = a.toString(), y = b.toString();
        const auto cs = caseInsensitive ? Qt::CaseInsensitive : Qt::CaseSensitive;
        return partial ? x.startsWith(y, cs) : x.compare(y, cs) == 0;
    }
    bool okA = false, okB = false;
    const double da = a.toDouble(&okA), db = b.toDouble(&okB);
    if (okA && okB && ta != QMetaType::QDate && ta != QMetaType::QDateTime)
        return da == db;
    return a == b;
}

} // namespace

Dataset::Dataset(QObject* parent) : QObject(parent) {}

Dataset::~Dataset() = default;

void Dataset::open() {
    if (active())
        return;
    if (beforeOpen_)
        beforeOpen_(*this);
    try {
        doOpen();
    } catch (...) {
        resetRecords();
        fields_.clear();
        order_.clear();
        throw;
    }
    state_ = State::Browse;
    positionAtStart();
    Q_EMIT opened();
    if (afterOpen_)
        afterOpen_(*this);
}

void Dataset::close() {
    if (!active())
        return;
    if (beforeClose_)
        beforeClose_(*this);
    if (state_ != State::Browse)
        cancel();
    doClose();
    resetRecords();
    state_ = State::Inactive;
    Q_EMIT closed();
    // Fields live as long as the open answer that defined them.
    order_.clear();
    fields_.clear();
}

Field* Dataset::findField(const QString& name) const {
    for (const auto& f : fields_)
        if (f->fieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f.get();
    return nullptr;
}

Field* Dataset::fieldByName(const QString& name) const {
    if (Field* f = findField(name))
        return f;
    throw db::DatabaseError(QStringLiteral("Campo %1 non trovato\nField '%1' not found").arg(name));
}

QStringList Dataset::fieldNames() const {
    QStringList names;
    for (Field* f : order_)
        names << f->fieldName();
    return names;
}

void Dataset::moveField(Field* field, int index) {
    const auto it = std::find(order_.begin(), order_.end(), field);
    if (it == order_.end())
        return;
    order_.erase(it);
    index = std::clamp(index, 0, static_cast<int>(order_.size()));
    order_.insert(order_.begin() + index, field);
    Q_EMIT fieldsChanged();
}

void Dataset::fieldLayoutChanged() {
    Q_EMIT fieldsChanged();
}

void Dataset::defineFields(const QVector<FieldDef>& defs) {
    fields_.clear();
    order_.clear();
    for (int i = 0; i < defs.size(); ++i) {
        fields_.push_back(std::make_unique<Field>(this, defs[i], i));
        order_.push_back(fields_.back().get());
    }
}

void Dataset::checkBrowse(const char* operation) const {
    if (state_ == State::Inactive)
        throw ErroreProgrammazione(QStringLiteral("Dataset not open: ") + operation);
}

void Dataset::setCurrent(int row) {
    current_ = row;
    Q_EMIT currentChanged(row);
}

void Dataset::positionAtStart() {
    current_ = view_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = view_.empty();
}

bool Dataset::isEmpty() const {
    return view_.empty() && !canFetchMore();
}

void Dataset::first() {
    checkBrowse("first");
    if (state_ != State::Browse)
        cancel();
    if (view_.empty() && canFetchMore())
        fetchMore(1000);
    positionAtStart();
    Q_EMIT currentChanged(current_);
}

void Dataset::last() {
    checkBrowse("last");
    while (canFetchMore())
        fetchMore(1000);
    setCurrent(static_cast<int>(view_.size()) - 1);
    eof_ = true;
    bof_ = view_.empty();
}

void Dataset::next() {
    checkBrowse("next");
    if (current_ + 1 >= static_cast<int>(view_.size()) && canFetchMore())
        fetchMore(1000);
    if (current_ + 1 < static_cast<int>(view_.size())) {
        setCurrent(current_ + 1);
        bof_ = false;
        eof_ = false;
    } else {
        eof_ = true;
    }
}

void Dataset::prior() {
    checkBrowse("prior");
    if (current_ > 0) {
        setCurrent(current_ - 1);
        eof_ = false;
        bof_ = false;
    } else {
        bof_ = true;
    }
}

void Dataset::moveTo(int row) {
    checkBrowse("moveTo");
    while (row >= static_cast<int>(view_.size()) && canFetchMore())
        fetchMore(1000);
    if (row < 0 || row >= static_cast<int>(view_.size()))
        return;
    setCurrent(row);
    bof_ = false;
    eof_ = false;
}

Dataset::Bookmark Dataset::bookmark() const {
    if (current_ < 0 || current_ >= static_cast<int>(view_.size()))
        return -1;
    return view_[static_cast<size_t>(current_)];
}

bool Dataset::gotoBookmark(Bookmark bookmark) {
    checkBrowse("gotoBookmark");
    const auto it = std::find(view_.begin(), view_.end(), static_cast<int>(bookmark));
    if (it == view_.end())
        return false;
    moveTo(static_cast<int>(it - view_.begin()));
    return true;
}

bool Dataset::locate(const QStringList& names, const QVariantList& values, int options) {
    checkBrowse("locate");
    QVector<const Field*> fields;
    for (const QString& name : names)
        fields << fieldByName(name);
    for (int row = 0;; ++row) {
        if (row >= static_cast<int>(view_.size()) && (!canFetchMore() || fetchMore(1000) == 0))
            return false;
        bool match = true;
        for (int i = 0; i < fields.size() && match; ++i)
            match = sameValue(valueAt(row, fields[i]), values.value(i), options & CaseInsensitive,
                              options & PartialKey);
        if (match) {
            moveTo(row);
            return true;
        }
    }
}

void Dataset::setFilter(FilterFunction filter) {
    filter_ = std::move(filter);
    if (filtered_)
        refilter();
}

void Dataset::setFiltered(bool filtered) {
    if (filtered_ == filtered)
        return;
    filtered_ = filtered;
    refilter();
}

void Dataset::refilter() {
    if (!active())
        return;
    rebuildView();
    positionAtStart();
    Q_EMIT recordsReset();
}

bool Dataset::passes(int record) {
    if (!filtered_ || !filter_)
        return true;
    // The filter reads the fields of the record under test.
    const int saved = probe_;
    probe_ = record;
    const bool ok = filter_(*this);
    probe_ = saved;
    return ok;
}

void Dataset::rebuildView() {
    view_.clear();
    for (int i = 0; i < static_cast<int>(records_.size()); ++i)
        if (passes(i))
            view_.push_back(i);
}

void Dataset::resetRecords() {
    records_.clear();
    view_.clear();
    current_ = -1;
    eof_ = bof_ = true;
}

void Dataset::discardRead() {
    records_.clear();
    view_.clear();
    current_ = -1;
}

int Dataset::addRecords(std::vector<Record>&& records) {
    const int firstRow = static_cast<int>(view_.size());
    for (auto& r : records) {
        records_.push_back(std::move(r));
        const int n = static_cast<int>(records_.size()) - 1;
        if (passes(n))
            view_.push_back(n);
    }
    const int added = static_cast<int>(view_.size()) - firstRow;
    if (added > 0 && active())
        Q_EMIT recordsAppended(firstRow, firstRow + added - 1);
    return added;
}

int Dataset::fetchMore(int) {
    return 0;
}

QVariant Dataset::valueAt(int row, const Field* field) const {
    if (row < 0 || row >= static_cast<int>(view_.size()))
        return {};
    return records_[static_cast<size_t>(view_[static_cast<size_t>(row)])].value(field->fieldNo());
}

QVariant Dataset::currentValue(int fieldNo) const {
    if (probe_ >= 0)
        return records_[static_cast<size_t>(probe_)].value(fieldNo);
    if (state_ == State::Edit || state_ == State::Insert)
        return editBuffer_.value(fieldNo);
    if (current_ < 0 || current_ >= static_cast<int>(view_.size()))
        return {};
    return records_[static_cast<size_t>(view_[static_cast<size_t>(current_)])].value(fieldNo);
}

void Dataset::setCurrentValue(int fieldNo, const QVariant& value) {
    if (state_ != State::Edit && state_ != State::Insert)
        throw ErroreProgrammazione("Dataset not in edit or insert mode");
    editBuffer_[fieldNo] = value;
}

void Dataset::append() {
    checkBrowse("append");
    if (state_ != State::Browse)
        post();
    editBuffer_ = Record(static_cast<int>(fields_.size()));
    oldRecord_.clear();
    state_ = State::Insert;
}

void Dataset::edit() {
    checkBrowse("edit");
    if (state_ != State::Browse)
        return;
    if (current_ < 0)
        throw ErroreProgrammazione("Cannot edit an empty dataset");
    editBuffer_ = records_[static_cast<size_t>(view_[static_cast<size_t>(current_)])];
    oldRecord_ = editBuffer_;
    state_ = State::Edit;
}

void Dataset::post() {
    if (state_ == State::Insert) {
        assignAutoValues(editBuffer_);
        doPost(editBuffer_, true, oldRecord_);
        state_ = State::Browse;
        std::vector<Record> one;
        one.push_back(editBuffer_);
        if (addRecords(std::move(one)) > 0)
            setCurrent(static_cast<int>(view_.size()) - 1);
        eof_ = bof_ = false;
    } else if (state_ == State::Edit) {
        doPost(editBuffer_, false, oldRecord_);
        state_ = State::Browse;
        const int record = view_[static_cast<size_t>(current_)];
        records_[static_cast<size_t>(record)] = editBuffer_;
        if (!passes(record)) {
            rebuildView();
            current_ = std::min(current_, static_cast<int>(view_.size()) - 1);
            Q_EMIT recordsReset();
        } else {
            Q_EMIT recordChanged(current_);
        }
    }
    editBuffer_.clear();
    oldRecord_.clear();
}

void Dataset::cancel() {
    if (state_ == State::Edit || state_ == State::Insert)
        state_ = State::Browse;
    editBuffer_.clear();
    oldRecord_.clear();
}

void Dataset::deleteRecord() {
    checkBrowse("delete");
    cancel();
    if (current_ < 0)
        return;
    const int record = view_[static_cast<size_t>(current_)];
    doDelete(records_[static_cast<size_t>(record)]);
    records_.erase(records_.begin() + record);
    rebuildView();
    current_ = std::min(current_, static_cast<int>(view_.size()) - 1);
    eof_ = bof_ = view_.empty();
    Q_EMIT recordsReset();
}

void Dataset::doPost(Record&, bool, const Record&) {}

void Dataset::doDelete(const Record&) {}

} // namespace mavo
