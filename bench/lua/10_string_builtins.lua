local t = "The quick brown fox jumps over the lazy dog"
local i = 0
local n = 0
while i < 300000 do
    local a = string.sub(t, 1, 9)
    local b = string.sub(t, -8)
    local c = string.sub(t, 11, 11 + 5 - 1)
    local p = (string.find(t, c, 1, true) or 0) - 1
    local d = string.gsub(a, "quick", "slow")
    local e = tostring(i)
    n = n + #d + p + tonumber(e) % 7 + #b
    i = i + 1
end
print(n)
