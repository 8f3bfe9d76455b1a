#pragma once

#include <functional>
#include <utility>
#include <vector>

// What a view would show, kept while it does not exist: each field's last
// setting is passed on at once when the view is there, and all of them when
// it joins, so a window made late shows what it would have shown had it
// been there from the start.
template <class View>
class KeptView final {
public:
    using Call = std::function<void(View&)>;

    // `Method` sets one field: passed on to the view, or its last setting
    // kept until the view joins.
    template <auto Method, class... Args>
    void keep(const Args&... args)
    {
        if (m_view) {
            // The view lives on once made: what it is shown needs no keeping.
            (m_view->*Method)(args...);
            return;
        }
        Call call = [args...](View& view) { (view.*Method)(args...); };
        for (auto& [key, kept] : m_fields) {
            if (key == &kField<Method>) {
                kept = std::move(call);
                return;
            }
        }
        m_fields.emplace_back(&kField<Method>, std::move(call));
    }
    // An act with nothing to keep (a redraw): only an existing view sees it.
    template <auto Method>
    void pass()
    {
        if (m_view)
            (m_view->*Method)();
    }
    // The view made: it is shown every kept field, in the order first set.
    void join(View& view)
    {
        m_view = &view;
        for (const auto& [key, kept] : m_fields)
            kept(view);
    }

private:
    // One address per field, whatever the types it was set with.
    template <auto Method>
    static constexpr char kField = 0;

    View* m_view = nullptr;
    std::vector<std::pair<const char*, Call>> m_fields;
};
