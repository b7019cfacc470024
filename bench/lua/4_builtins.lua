local t = "hello world 12345"
local i = 0
local n = 0
while i < 1000000 do
    local a = string.sub(t, 3, 3 + 5 - 1)
    local p = (string.find(t, "world", 1, true) or 0) - 1
    local v = tonumber("12345")
    n = n + p + v
    i = i + 1
end
