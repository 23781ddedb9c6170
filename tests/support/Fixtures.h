#pragma once

#include <QLocale>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace testsupport {

// The locale every test starts with: Chinese (China), whatever the machine says.
QLocale pinnedLocale();
void pinLocale();

// A fresh temporary folder with an empty data.mdb, made the program's folder.
class TempStore
{
public:
    TempStore();
    ~TempStore();

    QString folder() const { return m_dir.path(); }
    QString dataFile() const;
    // Runs a statement straight on SQLite (setting up rows, reading them back), bypassing the store.
    void exec(const QString& sql) const;
    // Adds one order straight to the table; returns its id. date is yyyy-mm-dd; bz may be null.
    qint64 addOrder(const QString& spname,
                    double jj,
                    double sl,
                    double sj,
                    const QString& mjzh,
                    const QString& kddh,
                    const QString& xsdate,
                    const QString& bz = QString()) const;
    // Counts rows straight on SQLite.
    qint64 count(const QString& where = QString()) const;
    // One cell straight from SQLite, as text (a null cell gives a null QString).
    QString cell(qint64 id, const QString& column) const;

private:
    QTemporaryDir m_dir;
};

// A small tmpfs mounted on a fresh folder for one test, unmounted when it goes: a full disk. Only root may
// mount, and some machines forbid it even then: mounted() tells.
class SmallDisk
{
public:
    explicit SmallDisk(const QString& size);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return m_mounted; }
    QString folder() const { return m_dir.path(); }
    // Puts an empty data.mdb on the disk and makes it the program's store; returns its path.
    QString makeStore() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
};

// Base of store tests: a fresh data.mdb per test.
class StoreTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    std::unique_ptr<TempStore> store;
};

// Base of window tests: a fresh data.mdb per test, the message-box seam armed and reset, every top-level
// window closed and deleted afterwards.
class GuiTest : public StoreTest
{
protected:
    void SetUp() override;
    void TearDown() override;
};

} // namespace testsupport
