local prev = ""
local line = ""
local i = 0
local n = 0
local lines = 0
while i < 500000 do
    local w = "key" .. i % 37 .. "_" .. i % 7
    if w < prev then
        n = n + 1
    elseif w == prev then
        n = n + 100
    elseif w > "key3" then
        n = n + 2
    end
    line = line .. w .. " "
    if #line > 100 then
        lines = lines + 1
        line = ""
    end
    prev = w
    i = i + 1
end
print(n + lines)
