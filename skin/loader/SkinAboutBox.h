// The about box of a skin: its picture on the left, its text beside it.
#pragma once

#include <QImage>
#include <QStringList>
#include <memory>

class QDialog;
class QWidget;

// Null when the skin has neither picture nor text.
std::unique_ptr<QDialog> CreateSkinAboutBox(QWidget* parent, const QImage& picture, const QStringList& text);
