#pragma once

#include "dataset/Field.h"

#include <QObject>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <functional>
#include <memory>
#include <vector>

namespace mavo {

using Record = QVector<QVariant>; // indexed by Field::fieldNo()

// The dataset family the windows are written against: fields, open/close,
// navigation, bookmarks, locate, filter, editing, and the BeforeOpen /
// AfterOpen / BeforeClose handlers a client may keep, chain and give back.
//
// Records read so far are kept in memory; a subclass that reads a cursor
// brings more on demand (canFetchMore / fetchMore), so navigation and the
// grid's model never read a whole answer at once.
class Dataset : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(Dataset&)>;
    using FilterFunction = std::function<bool(Dataset&)>;
    using Bookmark = qint64;
    enum class State { Inactive, Browse, Edit, Insert };
    enum LocateOption { CaseInsensitive = 1, PartialKey = 2 };

    explicit Dataset(QObject* parent = nullptr);
    ~Dataset() override;

    // "TIBQuery", "TIBTable" or "TRxMemoryData": clients recognise the kind by it.
    virtual QString className() const = 0;

    // Opening and closing run the handlers: BeforeOpen, (open), AfterOpen; BeforeClose, (close).
    void open();
    void close();
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    const Handler& beforeOpen() const { return beforeOpen_; }
    void setBeforeOpen(Handler handler) { beforeOpen_ = std::move(handler); }
    const Handler& afterOpen() const { return afterOpen_; }
    void setAfterOpen(Handler handler) { afterOpen_ = std::move(handler); }
    const Handler& beforeClose() const { return beforeClose_; }
    void setBeforeClose(Handler handler) { beforeClose_ = std::move(handler); }

    // Fields in their current order (Field::index()).
    int fieldCount() const { return static_cast<int>(order_.size()); }
    Field* field(int index) const { return order_.at(static_cast<size_t>(index)); }
    Field* findField(const QString& name) const; // case-insensitive; nullptr when absent
    Field* fieldByName(const QString& name) const; // throws std::runtime_error when absent
    QStringList fieldNames() const;
    void moveField(Field* field, int index);

    // Navigation over the records that pass the filter.
    void first();
    void last(); // reads the whole answer
    void next();
    void prior();
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    bool isEmpty() const;
    int recordCount() const { return static_cast<int>(view_.size()); } // read so far
    int recNo() const { return current_; }                              // 0-based, -1 when empty
    void moveTo(int row);

    Bookmark bookmark() const;
    bool gotoBookmark(Bookmark bookmark);
    bool locate(const QStringList& fields, const QVariantList& values, int options = 0);

    void setFilter(FilterFunction filter);
    void setFiltered(bool filtered);
    bool filtered() const { return filtered_; }
    void refilter(); // after the filter's own criteria change

    // Editing (memory datasets; database datasets that know how to write).
    void append();
    void edit();
    void post();
    void cancel();
    void deleteRecord();

    // Random access for views: row is a position among the records read so far.
    QVariant valueAt(int row, const Field* field) const;
    virtual bool canFetchMore() const { return false; }
    virtual int fetchMore(int count); // returns the records added to the view

    // Used by Field.
    QVariant currentValue(int fieldNo) const;
    void setCurrentValue(int fieldNo, const QVariant& value);
    void fieldLayoutChanged();

Q_SIGNALS:
    void opened();
    void closed();
    void recordsAppended(int first, int last); // positions in the view
    void recordsReset();                       // sort, filter, delete, refresh
    void recordChanged(int row);
    void fieldsChanged(); // order, labels, widths or visibility
    void currentChanged(int row);

protected:
    // Subclasses define fields and load the first records in doOpen().
    virtual void doOpen() = 0;
    virtual void doClose() {}
    virtual void doPost(Record& record, bool inserting, const Record& old);
    virtual void doDelete(const Record& record);
    virtual void assignAutoValues(Record& /*record*/) {}

    void defineFields(const QVector<FieldDef>& defs);
    const std::vector<std::unique_ptr<Field>>& allFields() const { return fields_; }
    // Adds read records; they join the view when they pass the filter.
    int addRecords(std::vector<Record>&& records);
    std::vector<Record>& records() { return records_; }
    void rebuildView();
    void resetRecords();
    // Forgets the records already passed (one-way reading); the next read ones take their place.
    void discardRead();
    // Moves the current position to the first record after loading.
    void positionAtStart();

private:
    bool passes(int record);
    void checkBrowse(const char* operation) const;
    void setCurrent(int row);

    State state_ = State::Inactive;
    std::vector<std::unique_ptr<Field>> fields_; // by fieldNo
    std::vector<Field*> order_;                  // by index
    std::vector<Record> records_;
    std::vector<int> view_; // record numbers passing the filter
    int current_ = -1;
    int probe_ = -1; // record a filter is looking at
    bool eof_ = true;
    bool bof_ = true;
    Record editBuffer_;
    Record oldRecord_;
    FilterFunction filter_;
    bool filtered_ = false;
    Handler beforeOpen_, afterOpen_, beforeClose_;
};

} // namespace mavo
