local i = 0
local s = 0
while i < 5000000 do
    if i % 3 == 0 then
        s = s + i * 2
    else
        s = s - 1
    end
    i = i + 1
end
