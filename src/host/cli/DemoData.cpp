#include "DemoData.h"

#include "HostStateKeys.h"
#include "HostStore.h"

#include <QDate>
#include <QStringList>

const QString DemoData::WindowTitle = QStringLiteral("ACT! - Demo");

namespace {

struct Company
{
    const char *name;
    const char *web;
    const char *address;
    const char *city;
    const char *state;
    const char *zip;
    const char *phone;
};

const Company Companies[] = {
    {"Brightwater Logistics", "brightwater.com", "1200 Harbor Way", "Seattle", "WA", "98101",
        "206-555-0142"},
    {"Cedar & Stone Architects", "cedarstone.com", "88 Mill Street", "Portland", "OR", "97204",
        "503-555-0177"},
    {"Northwind Outfitters", "northwind-out.com", "450 Granite Ave", "Denver", "CO", "80202",
        "303-555-0119"},
    {"Harbor Point Dental", "harborpointdental.com", "17 Bayview Rd", "San Diego", "CA", "92101",
        "619-555-0163"},
    {"Quillfeather Press", "quillfeather.com", "9 Library Lane", "Boston", "MA", "02108",
        "617-555-0128"},
    {"Red Mesa Solar", "redmesasolar.com", "3100 Sunrise Blvd", "Phoenix", "AZ", "85004",
        "602-555-0191"},
    {"Lakeside Veterinary Clinic", "lakesidevet.com", "642 Shore Drive", "Madison", "WI", "53703",
        "608-555-0135"},
    {"Ironbridge Consulting", "ironbridge.io", "75 Wacker Drive", "Chicago", "IL", "60601",
        "312-555-0184"},
    {"Magnolia Catering", "magnoliacatering.com", "210 Peachtree St", "Atlanta", "GA", "30303",
        "404-555-0156"},
    {"Summit Ridge Realty", "summitridge.com", "5 Alpine Court", "Salt Lake City", "UT", "84101",
        "801-555-0173"},
};

const char *const FirstNames[]
    = {"Emma", "Liam", "Olivia", "Noah", "Ava", "James", "Sophia", "Lucas", "Mia", "Henry", "Grace",
        "Daniel", "Chloe", "Samuel", "Zoe", "Owen", "Nora", "Caleb", "Lily", "Isaac", "Hannah",
        "Ethan", "Ruby", "Adrian", "Clara", "Marcus", "Elena", "Victor", "Priya", "Omar", "Julia",
        "Felix", "Maya", "Gavin", "Ingrid", "Tobias", "Leah", "Rafael", "Wendy", "Hugo", "Alice",
        "Dmitri", "Fiona", "Kenji", "Beatrice", "Jonah", "Selma", "Patrick", "Yara", "Carl"};
const char *const LastNames[] = {"Carter", "Nguyen", "Patel", "Okafor", "Schmidt", "Rossi",
    "Kowalski", "Haddad", "Lindqvist", "Moreau", "Fischer", "Alvarez", "Brennan", "Tanaka",
    "Dubois", "Mensah", "Larsen", "Castillo", "Whitaker", "Novak", "Sato", "Byrne", "Costa",
    "Fontaine", "Ibrahim", "Jensen", "Keller", "Lopez", "Marsh", "Olsen", "Quinn", "Reyes",
    "Sandoval", "Turner", "Ueda", "Vargas", "Walsh", "Young", "Zimmer", "Abbott", "Baker",
    "Coleman", "Doyle", "Ellis", "Foster", "Gibson", "Hayes", "Irwin", "Jordan", "Kemp"};
const char *const Titles[] = {"Owner", "Office Manager", "Purchasing Manager", "Sales Director",
    "Operations Lead", "Controller", "President", "Project Manager"};
const char *const Statuses[] = {"Customer", "Prospect", "Customer", "Vendor", "Customer"};
const char *const Results[]
    = {"Sent quote", "Left message", "Meeting booked", "Order confirmed", "Follow up in spring"};

QString dateText(const QDate &date, const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return locale.toString(date, format);
}

void writeAll(HostStore &store, qint64 record, const QList<QPair<qint32, QString>> &values)
{
    for (const auto &[field, value] : values)
        store.writeValue(record, field, value);
}

} // namespace

void DemoData::populate(HostStore &store, const QLocale &locale)
{
    addContacts(store, locale);
    addGroups(store);
    for (RecordKind kind : {RecordKind::Contact, RecordKind::Group})
        store.setLookupAll(kind);
    store.setState(HostStateKeys::CurrentContact, QStringLiteral("C0001"));
    store.setState(HostStateKeys::CurrentGroup, QStringLiteral("G001"));
    store.setState(HostStateKeys::WindowTitle, WindowTitle);
    store.setState(HostStateKeys::ActiveView, QStringLiteral("1"));
}

void DemoData::addContacts(HostStore &store, const QLocale &locale)
{
    for (int i = 0; i < ContactCount; ++i) {
        const Company &company = Companies[i % std::size(Companies)];
        const QString first = QString::fromUtf8(FirstNames[i]);
        const QString last = QString::fromUtf8(LastNames[i]);
        const qint64 record = store.addRecord(RecordKind::Contact, QString());
        writeAll(store, record,
            {{2, QString::fromUtf8(company.name)},
                {3, QString::number((i * 7919 % 90 + 10) * 1000)},
                {4, QString::number((i * 4729 % 42000) / 100.0 + 15.0, 'f', 2)},
                {5, first + QLatin1Char(' ') + last}, {6, first}, {7, last}, {8, first},
                {9, QString::fromUtf8(Titles[i % std::size(Titles)])},
                {11, QString::fromUtf8(company.phone)}, {12, QString::number(100 + i)},
                {15,
                    first.toLower() + QLatin1Char('.') + last.toLower() + QLatin1Char('@')
                        + QString::fromUtf8(company.web)},
                {16, QStringLiteral("https://www.") + QString::fromUtf8(company.web)},
                {17, QString::fromUtf8(company.address)}, {19, QString::fromUtf8(company.city)},
                {20, QString::fromUtf8(company.state)}, {21, QString::fromUtf8(company.zip)},
                {22, QStringLiteral("USA")},
                {23, QString::fromUtf8(Statuses[i % std::size(Statuses)])},
                {24, QString::fromUtf8(Results[i % std::size(Results)])},
                {36, QString::number(5 + i * 37 % 400)},
                {37, dateText(QDate(1958 + i % 40, 1 + i % 12, 1 + i * 3 % 28), locale)},
                {201, dateText(QDate(2024, 1 + i % 12, 1 + i % 28), locale)}});
    }
}

void DemoData::addGroups(HostStore &store)
{
    struct Group
    {
        const char *name;
        const char *description;
        const char *region;
        int revenue;
        const char *orderTotal;
        int members;
    };
    const Group groups[] = {
        {"Key Accounts", "Customers above 50,000 a year", "National", 820000, "1840.00", 12},
        {"West Coast Prospects", "Leads from Seattle to San Diego", "West", 135000, "96.50", 9},
        {"Trade Show 2026", "Met at the spring trade show", "National", 64000, "310.25", 14},
        {"Resellers", "Partners who resell our products", "Central", 298000, "75.00", 6},
        {"Newsletter", "Monthly newsletter subscribers", "National", 18000, "42.80", 31},
    };
    for (const Group &group : groups) {
        const qint64 record = store.addRecord(RecordKind::Group, QString());
        writeAll(store, record,
            {{2, QString::fromUtf8(group.name)}, {3, QString::number(group.revenue)},
                {4, QString::fromUtf8(group.orderTotal)}, {5, QString::fromUtf8(group.description)},
                {15, QString::fromUtf8(group.region)}, {17, QString::number(group.members)},
                {18, QStringLiteral("Active")}});
    }
}
