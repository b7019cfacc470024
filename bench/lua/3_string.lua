-- Lua strings are immutable; a buffer table is its idiomatic append.
local parts = {}
local i = 0
while i < 1000000 do
    parts[#parts + 1] = "x"
    i = i + 1
end
local n = #table.concat(parts)
