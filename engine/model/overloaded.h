#pragma once

// One visitor out of several lambdas, one for each kind a std::variant may hold.
template<typename... Handlers> struct Overloaded : Handlers...
{
    using Handlers::operator()...;
};
template<typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;
