#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

// One object made when it is first asked for, not before: a window hidden
// at start costs nothing until it is shown. Links given before it is made
// are kept and joined to it as it is made, so they reach it after.
template <class T>
class LazyOwner final {
public:
    using Make = std::function<std::unique_ptr<T>()>;
    using Join = std::function<void(T&)>;

    explicit LazyOwner(Make make) : m_make(std::move(make)) {}
    LazyOwner(const LazyOwner&) = delete;
    LazyOwner& operator=(const LazyOwner&) = delete;

    // Made at the first call, the same one after.
    T& get()
    {
        if (!m_object) {
            m_object = m_make();
            // A join may ask for the object again: it is in place by now.
            std::vector<Join> joins = std::move(m_joins);
            m_joins.clear();
            for (const Join& join : joins)
                join(*m_object);
        }
        return *m_object;
    }
    // Null until made: for a link that only reaches the object if it exists.
    T* ifMade() const { return m_object.get(); }
    bool isMade() const { return m_object != nullptr; }
    // Joins `join` to the object now if it is made, else as it is made.
    void whenMade(Join join)
    {
        if (m_object)
            join(*m_object);
        else
            m_joins.push_back(std::move(join));
    }

private:
    Make m_make;
    std::vector<Join> m_joins;
    std::unique_ptr<T> m_object;
};
