// The skin's options. Every write applies the options again.
#pragma once

#include <functional>

class TLxAerinOption {
public:
    explicit TLxAerinOption(std::function<void()> apply) : m_apply(std::move(apply)) {}

    // The face takes the size of the background picture.
    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    // Dragging the face moves the window.
    bool AutoMove() const { return m_autoMove; }
    void SetAutoMove(bool value);
    // The window loses its frame and takes the shape of the mask picture.
    bool AutoRegion() const { return m_autoRegion; }
    void SetAutoRegion(bool value);
    // Kept for skins and forms that set it; nothing reads it.
    bool EasyMove() const { return m_easyMove; }
    void SetEasyMove(bool value);

private:
    void Set(bool& field, bool value);

    std::function<void()> m_apply;
    bool m_autoSize = true;
    bool m_autoMove = true;
    bool m_autoRegion = false;
    bool m_easyMove = false;
};
