#include "db/RowBlock.h"

#include "db/SqlParser.h"
#include "db/Statement.h"

namespace mavo::db {

RowBlock::RowBlock(Database* database, Transaction* transaction, int rows, Definition definition)
    : rows_(rows), definition_(std::move(definition)),
      block_(std::make_unique<Statement>(database, transaction)),
      values_(rows * definition_.outputs.size()) {
    block_->setParamCheck(false);
    block_->setSql(text());
    block_->prepare();
}

RowBlock::~RowBlock() = default;

QStringList RowBlock::perRow(const QStringList& lines) {
    QStringList out;
    for (const QString& line : lines)
        out << suffixParams(line, "#");
    return out;
}

QStringList RowBlock::text() const {
    const auto named = [](QString text, int row) {
        return text.replace('#', '_' + QString::number(row));
    };
    // Every row's, a comma after all but the last.
    const auto declarations = [&](const QVector<Variable>& variables, const QString& end) {
        QStringList lines;
        for (int row = 1; row <= rows_; ++row)
            for (const Variable& v : variables)
                lines << "  " + named(v.name, row) + ' ' + v.type + end + ',';
        lines.last().chop(1);
        return lines;
    };
    QStringList lines{"EXECUTE BLOCK("};
    lines << declarations(definition_.inputs, "=?") << ")"
          << "RETURNS(" << declarations(definition_.outputs, QString()) << ")"
          << "AS"
          << "BEGIN";
    for (int row = 1; row <= rows_; ++row)
        for (const QString& line : definition_.body)
            lines << named(line, row);
    lines << "SUSPEND;"
          << "END";
    return lines;
}

void RowBlock::setParam(int row, int input, const QVariant& value) {
    block_->setParam(row * definition_.inputs.size() + input, value);
}

void RowBlock::execute() {
    block_->execute();
    block_->fetch();
    for (int i = 0; i < values_.size(); ++i)
        values_[i] = block_->value(i);
    // To its end, so that the block is over before anything else runs.
    block_->fetch();
}

QVariant RowBlock::value(int row, int output) const {
    return values_[row * definition_.outputs.size() + output];
}

} // namespace mavo::db
