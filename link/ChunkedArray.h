#pragma once

#include <QtGlobal>

#include <deque>
#include <memory>
#include <type_traits>

// A growable array kept in fixed-size blocks. Growing allocates one block at a time and never
// moves what is stored, so memory rises in small steps instead of doubling, and no single
// allocation grows with the element count. Blocks at the front can be released: indices keep
// counting from the first element appended since the last clear(), and the released ones are
// simply no longer readable.
template <typename T, int BlockSize> class ChunkedArray
{
    static_assert(std::is_trivially_copyable_v<T>, "elements are plain records");
    static_assert(BlockSize > 0 && (BlockSize & (BlockSize - 1)) == 0,
                  "block size is a power of two");

public:
    ChunkedArray() = default;
    ChunkedArray(const ChunkedArray&) = delete;
    ChunkedArray& operator=(const ChunkedArray&) = delete;
    ChunkedArray(ChunkedArray&&) = default;
    ChunkedArray& operator=(ChunkedArray&&) = default;

    static constexpr qint64 kBlockBytes = qint64(BlockSize) * qint64(sizeof(T));

    // elements appended since the last clear(), released ones included
    qint64 size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // index of the first element that is still held
    qint64 firstKept() const { return m_firstBlock * BlockSize; }

    // `index` must lie in [firstKept(), size())
    const T& operator[](qint64 index) const { return blockOf(index)[index % BlockSize]; }
    T& operator[](qint64 index) { return blockOf(index)[index % BlockSize]; }
    const T& back() const { return (*this)[m_size - 1]; }
    T& back() { return (*this)[m_size - 1]; }

    // Appends one element and returns it for the caller to fill; its content is unspecified.
    T& append()
    {
        const int slot = int(m_size % BlockSize);
        if (slot == 0)
            m_blocks.emplace_back(new T[BlockSize]);
        ++m_size;
        return m_blocks.back()[slot];
    }

    // Releases every block whose elements all lie before `index`; the block holding the last
    // element is always kept.
    void releaseBefore(qint64 index)
    {
        const qint64 limit = qMin(index, m_size - 1);
        while ((m_firstBlock + 1) * BlockSize <= limit) {
            m_blocks.pop_front();
            ++m_firstBlock;
        }
    }

    void clear()
    {
        m_blocks.clear();
        m_firstBlock = 0;
        m_size = 0;
    }

    // bytes of the blocks held and of their pointers
    qint64 memoryBytes() const
    {
        return qint64(m_blocks.size()) * (kBlockBytes + qint64(sizeof(std::unique_ptr<T[]>)));
    }

private:
    T* blockOf(qint64 index) const
    {
        return m_blocks[size_t(index / BlockSize - m_firstBlock)].get();
    }

    std::deque<std::unique_ptr<T[]>> m_blocks;
    qint64 m_firstBlock = 0;
    qint64 m_size = 0;
};
