#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

class QWidget;

// Converts a "description|patterns|description|patterns" filter (patterns
// separated by ";") into Qt name filters ("description (p1 p2)").
QStringList NameFiltersFromPairs(const QString& filter);

// Where dialogs remember the folder they showed last, by a key of their own.
class TDialogFolders {
public:
    virtual ~TDialogFolders() = default;
    virtual QString Folder(const QString& key) const = 0;
    virtual void SetFolder(const QString& key, const QString& folder) = 0;
};

// The folders every dialog with a folder key uses; null (the default)
// remembers nothing. Not owned.
void SetDialogFolders(TDialogFolders* folders);

// Open or save file dialog configured by properties; Execute runs it modally
// over `owner` (not owned). Saving over an existing file asks first.
class TLxFileDialog {
public:
    enum class TKind { Open, Save };

    explicit TLxFileDialog(TKind kind, QWidget* owner = nullptr);

    QString Title() const { return title_; }
    void SetTitle(const QString& value) { title_ = value; }
    // "description|patterns|..." pairs
    QString Filter() const { return filter_; }
    void SetFilter(const QString& value) { filter_ = value; }
    // Appended (lower case) to a typed name that has no extension.
    QString DefaultExt() const { return defaultExt_; }
    void SetDefaultExt(const QString& value) { defaultExt_ = value; }
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value) { multiSelect_ = value; }
    // With a key the dialog opens in the folder chosen last time.
    void SetFolderKey(const QString& value) { folderKey_ = value; }

    // True when the user chose; the choice is then in Files() / FileName().
    bool Execute();
    const QStringList& Files() const { return files_; }
    QString FileName() const { return files_.value(0); }

private:
    QWidget* owner_;
    TKind kind_;
    QString title_;
    QString filter_;
    QString defaultExt_;
    bool multiSelect_ = false;
    QString folderKey_;
    QStringList files_;
};

// Directory chooser. With ClassicDialog on (the default) Qt's own dialog,
// which takes Options; off, the desktop's folder browser showing Title.
class TLxSelectDirectory {
public:
    explicit TLxSelectDirectory(QWidget* owner = nullptr);

    bool ClassicDialog() const { return classicDialog_; }
    void SetClassicDialog(bool value) { classicDialog_ = value; }
    QString Title() const { return title_; }
    void SetTitle(const QString& value) { title_ = value; }
    QString StartDir() const { return startDir_; }
    void SetStartDir(const QString& value) { startDir_ = value; }
    // With a key the start folder is the folder chosen last time.
    void SetFolderKey(const QString& value) { folderKey_ = value; }
    QFileDialog::Options Options() const { return options_; }
    void SetOptions(QFileDialog::Options value) { options_ = value; }

    // True when the user chose a directory; it is then in Directory().
    bool Execute();
    const QString& Directory() const { return directory_; }

private:
    QWidget* owner_;
    bool classicDialog_ = true;
    QString title_;
    QString startDir_;
    QString folderKey_;
    QFileDialog::Options options_;
    QString directory_;
};
