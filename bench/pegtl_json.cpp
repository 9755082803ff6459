// The peers of orvel-json in bench/run, on PEGTL's JSON grammar: without
// JSON_TREE a validator (exits 0 for a valid document, 1 otherwise, printing
// nothing); with JSON_TREE a parse-tree builder that keeps one node per value
// and per object key, as orvel-json's tree does, and prints "nodes=N".
//
// Usage: pegtl_json_check FILE, pegtl_json_tree FILE
#include <tao/pegtl.hpp>
#include <tao/pegtl/contrib/json.hpp>
#ifdef JSON_TREE
#include <tao/pegtl/contrib/parse_tree.hpp>
#endif

#include <cstdio>
#include <exception>
#include <vector>

namespace pegtl = tao::pegtl;
namespace json = pegtl::json;

namespace {

using document = pegtl::seq<json::text, pegtl::eof>;

#ifdef JSON_TREE
template <typename Rule>
using selector = pegtl::parse_tree::selector<
    Rule, pegtl::parse_tree::store_content::on<json::string, json::key, json::number, json::true_,
                                               json::false_, json::null, json::array, json::object>>;

// Counts the nodes below the root without recursion.
std::size_t countNodes(const pegtl::parse_tree::node& root)
{
    std::size_t count = 0;
    std::vector<const pegtl::parse_tree::node*> pending{&root};
    while (!pending.empty()) {
        const pegtl::parse_tree::node* n = pending.back();
        pending.pop_back();
        for (const auto& child : n->children) {
            ++count;
            pending.push_back(child.get());
        }
    }
    return count;
}
#endif

}

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    try {
        pegtl::file_input<> in(argv[1]);
#ifdef JSON_TREE
        const auto root = pegtl::parse_tree::parse<document, selector>(in);
        if (!root)
            return 1;
        std::printf("nodes=%zu\n", countNodes(*root));
        return 0;
#else
        return pegtl::parse<document>(in) ? 0 : 1;
#endif
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "%s\n", ex.what());
        return 1;
    }
}
