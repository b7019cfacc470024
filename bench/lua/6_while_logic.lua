local i = 0
local n = 0
while i < 3000000 and n >= 0 do
    if (i % 7 == 3 or i % 11 == 5) and i % 2 == 0 then
        n = n + 1
    elseif i % 13 == 0 or (i & 1) == 0 and i % 17 == 2 then
        n = n + 2
    end
    i = i + 1
end
print(n)
