local i = 1
local digits = 0
local g = 0
while i < 300000 do
    local n = i
    while n > 0 do
        digits = digits + n % 10
        n = n // 10
    end
    local a = i
    local b = 360
    while b ~= 0 do
        local t = a % b
        a = b
        b = t
    end
    g = g + a + i // 1000
    i = i + 1
end
print(digits + g)
