// Drawing primitives (placeholder until the plan and page layouts arrive).
namespace plintova::draw {}
