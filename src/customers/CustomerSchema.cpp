#include "customers/CustomerSchema.h"

#include "messages/MessageCatalog.h"

std::vector<DbfField> CustomerSchema::StandardFields()
{
    std::vector<DbfField> fields;
    for (int message = 203; message <= 214; ++message)
        fields.push_back(DbfField::Character(MessageText(message), message == 208 ? 10 : 45));
    fields.push_back(DbfField::Memo(MessageText(215)));
    fields.push_back(DbfField::Character(MessageText(224), 45));
    fields.push_back(DbfField::Character(MessageText(kKostenstMessage), kKostenstLength));
    return fields;
}
