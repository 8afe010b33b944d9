-- Does not compile: the load reports it and the other scripts still run.
this is not Lua
